// Reading the resource table, the bitmaps and the icons from resources/, with
// no help from the engine, so the pictures are checked exactly as stored.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace res {

inline std::string ResourceDir() {
    const char* env = std::getenv("WHIRL_SOURCE_DIR");
    std::string root;
    if (env && *env) {
        root = env;
    } else {
        root = __FILE__;  // .../tests/resources/ResourceFiles.h
        for (int i = 0; i < 3; ++i) root = root.substr(0, root.find_last_of('/'));
    }
    return root + "/resources";
}

inline std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline uint32_t U32(const std::vector<uint8_t>& d, size_t at) {
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (uint32_t(d[at + 3]) << 24);
}
inline uint16_t U16(const std::vector<uint8_t>& d, size_t at) { return uint16_t(d[at] | (d[at + 1] << 8)); }
inline int32_t I32(const std::vector<uint8_t>& d, size_t at) { return int32_t(U32(d, at)); }

struct Entry {
    std::string type;
    std::string file;
};

// id -> (type, file) from resources.txt
inline std::map<int, Entry> ResourceTable() {
    std::map<int, Entry> table;
    std::ifstream in(ResourceDir() + "/resources.txt");
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        int id;
        Entry e;
        if (words >> id >> e.type >> e.file) table[id] = e;
    }
    return table;
}

struct Rgb {
    uint8_t r, g, b;
    bool IsKey() const { return r == 255 && g == 0 && b == 255; }
};

// A decoded 24-bit bottom-up bitmap, rows stored top-down here.
struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> px;
    Rgb At(int x, int y) const { return px[size_t(y) * width + x]; }
    bool Key(int x, int y) const { return At(x, y).IsKey(); }
};

// Decodes pixels assuming the header has been checked (24 bpp, BI_RGB, bottom-up).
inline Image Decode(const std::vector<uint8_t>& file) {
    Image img;
    if (file.size() < 54) return img;
    img.width = I32(file, 18);
    img.height = I32(file, 22);
    if (img.width <= 0 || img.height <= 0) return img;
    size_t stride = (size_t(img.width) * 3 + 3) & ~size_t(3);
    size_t off = U32(file, 10);
    if (file.size() < off + stride * img.height) return Image{};
    img.px.resize(size_t(img.width) * img.height);
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* row = &file[off + stride * (img.height - 1 - y)];
        for (int x = 0; x < img.width; ++x)
            img.px[size_t(y) * img.width + x] = Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    }
    return img;
}

inline Image LoadBitmap(int id) {
    auto table = ResourceTable();
    return Decode(ReadFile(ResourceDir() + "/" + table[id].file));
}

// One frame of a horizontal strip.
inline Image Frame(const Image& strip, int index, int frameWidth) {
    Image f;
    f.width = frameWidth;
    f.height = strip.height;
    f.px.resize(size_t(frameWidth) * strip.height);
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < frameWidth; ++x) f.px[size_t(y) * frameWidth + x] = strip.At(index * frameWidth + x, y);
    return f;
}

// `top` drawn over `bottom` with the key transparent.
inline Image Over(const Image& bottom, const Image& top) {
    Image out = bottom;
    for (size_t i = 0; i < out.px.size(); ++i)
        if (!top.px[i].IsKey()) out.px[i] = top.px[i];
    return out;
}

}  // namespace res
