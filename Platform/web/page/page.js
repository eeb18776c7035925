// The page around the game: the console log panel and starting the game,
// again once Escape has ended it. The game's standard output goes to the
// panel and to the browser's console; its standard error to the console's
// error stream.
'use strict';

const kLogLines = 5000; // the panel keeps at least the last 2,000 lines

const logPanel = document.getElementById('log');
const statusText = document.getElementById('status');
const againButton = document.getElementById('again');
let pendingLines = [];

// Lines are added once a display frame, and the panel follows them unless
// the reader has scrolled up.
function flushLog() {
  const following = logPanel.scrollTop + logPanel.clientHeight >= logPanel.scrollHeight - 4;
  const fragment = document.createDocumentFragment();
  for (const line of pendingLines.slice(-kLogLines)) fragment.append(line + '\n');
  pendingLines = [];
  logPanel.append(fragment);
  for (let extra = logPanel.childNodes.length - kLogLines; extra > 0; --extra) logPanel.firstChild.remove();
  if (following) logPanel.scrollTop = logPanel.scrollHeight;
}

function logLine(line) {
  console.log(line);
  if (pendingLines.push(line) === 1) requestAnimationFrame(flushLog);
}

function startGame() {
  statusText.textContent = 'Playing';
  againButton.hidden = true;
  const canvas = document.getElementById('canvas');
  // The running game's module, where its figures can be read (frames, frameTimes).
  window.whirlquarium = {
    canvas,
    print: logLine,
    printErr: (text) => console.error(text),
    onGameEnded: () => {
      statusText.textContent = 'The game has ended.';
      againButton.hidden = false;
    },
    onAbort: (what) => {
      statusText.textContent = 'The game stopped on an error (see the console).';
      console.error(what);
    },
  };
  WhirlquariumModule(window.whirlquarium).then(() => canvas.focus(), (error) => {
    statusText.textContent = 'The game could not start (see the console).';
    console.error(error);
  });
}

againButton.addEventListener('click', startGame);
document.getElementById('toggle-log').addEventListener('click', (e) => {
  const hidden = document.getElementById('console').classList.toggle('hidden');
  e.target.textContent = hidden ? 'Show the log' : 'Hide the log';
});
