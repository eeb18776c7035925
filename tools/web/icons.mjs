// Cuts the web app's icons from the window icon's art: the largest image of an
// icon file (.ico), a PNG or a 32-bit bitmap, resampled to each size asked for
// (each output pixel the average of the source area it covers, with alpha
// weighting the colours) and written as OUTPUT_DIR/icon-SIZE.png.
//
//   node tools/web/icons.mjs ICON_FILE OUTPUT_DIR SIZE...
//
// Exit status 1, with the reason on standard error, when the file holds no
// image that can be read.
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import zlib from 'node:zlib';

const kPngSignature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

// { width, height, rgba } of an 8-bit RGBA or RGB PNG without interlacing.
export function decodePng(bytes) {
  if (bytes.length < 8 || !bytes.subarray(0, 8).equals(kPngSignature)) throw new Error('not a PNG image');
  let width = 0, height = 0, depth = 0, type = 0, interlace = 0;
  const data = [];
  for (let at = 8; at + 12 <= bytes.length;) {
    const length = bytes.readUInt32BE(at), name = bytes.toString('latin1', at + 4, at + 8);
    if (at + 12 + length > bytes.length) throw new Error('a PNG chunk runs past the end of the image');
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (name === 'IHDR') [width, height, depth, type, interlace] = [body.readUInt32BE(0), body.readUInt32BE(4), body[8], body[9], body[12]];
    else if (name === 'IDAT') data.push(body);
    else if (name === 'IEND') break;
    at += 12 + length;
  }
  if (depth !== 8 || (type !== 6 && type !== 2) || interlace !== 0 || !width || !height)
    throw new Error(`a PNG image of depth ${depth}, colour type ${type}, interlace ${interlace} is not read here`);
  const channels = type === 6 ? 4 : 3, stride = width * channels;
  const raw = zlib.inflateSync(Buffer.concat(data));
  if (raw.length < (stride + 1) * height) throw new Error('the PNG image holds fewer rows than it says');
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? rows[y * stride + i - channels] : 0;
      const b = y > 0 ? rows[(y - 1) * stride + i] : 0;
      const c = i >= channels && y > 0 ? rows[(y - 1) * stride + i - channels] : 0;
      const p = a + b - c, [pa, pb, pc] = [Math.abs(p - a), Math.abs(p - b), Math.abs(p - c)];
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      if (predictor === undefined) throw new Error(`unknown PNG filter ${filter}`);
      rows[y * stride + i] = (line[i] + predictor) & 0xff;
    }
  }
  if (channels === 4) return { width, height, rgba: rows };
  const rgba = Buffer.alloc(width * height * 4, 0xff);
  for (let i = 0; i < width * height; ++i) rows.copy(rgba, i * 4, i * 3, i * 3 + 3);
  return { width, height, rgba };
}

export function encodePng(width, height, rgba) {
  const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  const crc = (buffer) => {
    let c = 0xffffffff;
    for (const byte of buffer) c = crcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  };
  const chunk = (name, body) => {
    const out = Buffer.alloc(12 + body.length);
    out.writeUInt32BE(body.length, 0);
    out.write(name, 4, 'latin1');
    body.copy(out, 8);
    out.writeUInt32BE(crc(out.subarray(4, 8 + body.length)), 8 + body.length);
    return out;
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8, header[9] = 6; // 8-bit RGBA, deflate, no interlace
  const raw = Buffer.alloc((width * 4 + 1) * height);
  for (let y = 0; y < height; ++y) rgba.copy(raw, y * (width * 4 + 1) + 1, y * width * 4, (y + 1) * width * 4);
  return Buffer.concat([kPngSignature, chunk('IHDR', header), chunk('IDAT', zlib.deflateSync(raw, { level: 9 })),
    chunk('IEND', Buffer.alloc(0))]);
}

// The largest image of an icon file (the deepest among equals), decoded.
export function largestIconImage(ico) {
  const count = ico.length >= 6 && ico.readUInt16LE(2) === 1 ? ico.readUInt16LE(4) : 0;
  let best = null;
  for (let i = 0; i < count && 6 + 16 * (i + 1) <= ico.length; ++i) {
    const entry = 6 + 16 * i;
    const side = ico[entry] || 256, bits = ico.readUInt16LE(entry + 6);
    const size = ico.readUInt32LE(entry + 8), offset = ico.readUInt32LE(entry + 12);
    if (offset > ico.length || size > ico.length - offset) continue;
    if (!best || side > best.side || (side === best.side && bits > best.bits))
      best = { side, bits, image: ico.subarray(offset, offset + size) };
  }
  if (!best) throw new Error('holds no image');
  if (best.image.subarray(0, 8).equals(kPngSignature)) return decodePng(best.image);
  // A bitmap without its file header: 32 bits a pixel, rows bottom-up, alpha kept.
  const header = best.image.length >= 40 ? best.image.readUInt32LE(0) : 0;
  if (header < 40 || best.image.readUInt16LE(14) !== 32 || header + best.side * best.side * 4 > best.image.length)
    throw new Error(`holds no PNG or 32-bit image of ${best.side} pixels`);
  const rgba = Buffer.alloc(best.side * best.side * 4);
  for (let y = 0; y < best.side; ++y)
    for (let x = 0; x < best.side; ++x) {
      const from = header + ((best.side - 1 - y) * best.side + x) * 4, to = (y * best.side + x) * 4;
      [rgba[to], rgba[to + 1], rgba[to + 2], rgba[to + 3]] =
        [best.image[from + 2], best.image[from + 1], best.image[from], best.image[from + 3]];
    }
  return { width: best.side, height: best.side, rgba };
}

// Each output pixel is the average of the source area it covers.
export function resample({ width, height, rgba }, side) {
  const out = Buffer.alloc(side * side * 4);
  const fx = width / side, fy = height / side;
  for (let oy = 0; oy < side; ++oy)
    for (let ox = 0; ox < side; ++ox) {
      const sum = [0, 0, 0, 0];
      let area = 0;
      for (let sy = Math.floor(oy * fy); sy < Math.min(height, Math.ceil((oy + 1) * fy)); ++sy) {
        const wy = Math.min(sy + 1, (oy + 1) * fy) - Math.max(sy, oy * fy);
        for (let sx = Math.floor(ox * fx); sx < Math.min(width, Math.ceil((ox + 1) * fx)); ++sx) {
          const w = wy * (Math.min(sx + 1, (ox + 1) * fx) - Math.max(sx, ox * fx));
          const at = (sy * width + sx) * 4, alpha = rgba[at + 3] * w;
          for (let c = 0; c < 3; ++c) sum[c] += rgba[at + c] * alpha;
          sum[3] += alpha;
          area += w;
        }
      }
      const at = (oy * side + ox) * 4;
      for (let c = 0; c < 3; ++c) out[at + c] = sum[3] ? Math.round(sum[c] / sum[3]) : 0;
      out[at + 3] = Math.round(sum[3] / area);
    }
  return out;
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [icon, dir, ...sizes] = process.argv.slice(2);
  if (!icon || !dir || !sizes.length || sizes.some((s) => !/^[1-9][0-9]{0,3}$/.test(s))) {
    console.error('usage: node icons.mjs ICON_FILE OUTPUT_DIR SIZE...   (sizes in pixels, 1 to 9999)');
    process.exit(2);
  }
  try {
    const image = largestIconImage(fs.readFileSync(icon));
    fs.mkdirSync(dir, { recursive: true });
    for (const size of sizes.map(Number))
      fs.writeFileSync(path.join(dir, `icon-${size}.png`), encodePng(size, size, resample(image, size)));
  } catch (error) {
    console.error(`icons.mjs: ${icon}: ${error.message}`);
    process.exit(1);
  }
}
