// What the browser tests share: the page's own server (scripts/web-serve.py)
// started on a free port of 127.0.0.1 and stopped again, headless Chromium
// on a profile folder of its own, the game's log read from the console, and
// the player's files as the browser's database holds them.
//
// Environment: QM_WEB_SITE (the built page, build-web), QM_GAME_DIR (the
// desktop game folder), QM_WEB_NODE_MODULES (where puppeteer-core is
// installed), QM_WEB_SHOTS (where the pictures are written for a look).
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import readline from 'node:readline';
import { fileURLToPath } from 'node:url';

export const site = path.resolve(process.env.QM_WEB_SITE || 'build-web');
export const gameDir = path.resolve(process.env.QM_GAME_DIR || 'build/game');
export const shots = path.resolve(process.env.QM_WEB_SHOTS || path.join(site, 'test-shots'));
const require = createRequire(path.join(process.env.QM_WEB_NODE_MODULES || 'node_modules', 'x.js'));
export const puppeteer = require('puppeteer-core');
const repo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
export const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor((xs.length - 1) / 2)];

// The page's server; `answers` collects its lines ("GET /path 200 BYTES").
export async function serve(folder = site) {
  const child = spawn('python3', [path.join(repo, 'scripts/web-serve.py'), folder, '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
  const answers = [];
  const lines = readline.createInterface({ input: child.stdout });
  const url = await new Promise((resolve, reject) => {
    child.on('exit', (code) => reject(new Error(`the server ended (${code})`)));
    lines.on('line', (line) => {
      const started = /^serving (\S+)/.exec(line);
      if (started) resolve(started[1]);
      else answers.push(line);
    });
  });
  return { url, answers, close: () => child.kill() };
}

// Bytes the server sent since `from` (an index into its answers).
export const bytesSent = (server, from = 0) =>
  server.answers.slice(from).reduce((sum, line) => sum + Number(line.split(' ').pop() || 0), 0);

export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'qm-browser-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.QM_CHROMIUM || '/usr/bin/chromium-headless-shell',
    headless: 'shell',
    userDataDir: profile,
    args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--autoplay-policy=no-user-gesture-required'],
  });
  return { browser, close: async () => { await browser.close(); fs.rmSync(profile, { recursive: true, force: true }); } };
}

// A page whose console lines (the game's debug log with ?log) are kept;
// `lines` starts afresh with `forget()`.
export function watch(page) {
  const seen = { lines: [], errors: [] };
  page.on('console', (m) => seen.lines.push(m.text()));
  page.on('pageerror', (e) => seen.errors.push(e.message));
  seen.forget = () => { seen.lines = []; };
  seen.waitFor = async (text, ms = 60000) => {
    for (const until = Date.now() + ms; Date.now() < until; await sleep(50)) {
      const hit = seen.lines.find((l) => (text instanceof RegExp ? text.test(l) : l === text));
      if (hit) return hit;
    }
    assert.fail(`no "${text}" in the page's log:\n${seen.lines.join('\n')}`);
  };
  return seen;
}

// The working folder's files as the browser's database holds them.
export const storedFiles = (page) => page.evaluate(() => new Promise((resolve, reject) => {
  const open = indexedDB.open('/save');
  open.onerror = () => reject(open.error);
  open.onsuccess = () => {
    const files = {};
    const walk = open.result.transaction('FILE_DATA').objectStore('FILE_DATA').openCursor();
    walk.onerror = () => reject(walk.error);
    walk.onsuccess = () => {
      const at = walk.result;
      if (!at) { open.result.close(); return resolve(files); }
      if (at.value.contents) files[at.key.replace('/save/', '')] = Array.from(at.value.contents);
      at.continue();
    };
  };
}));

// The level tool's shortest solution of a level, as U/R/D/L letters.
export function solution(level) {
  const out = execFileSync(path.join(gameDir, 'quillmere-levels'), ['solve', path.join(gameDir, 'levels', `${level}.lvl`)],
    { stdio: ['ignore', 'pipe', 'ignore'] }).toString();
  const moves = out.trim().split('\n').pop().trim();
  assert.match(moves, /^[UDLR]+$/, `solver output: ${out}`);
  return [...moves];
}

export const rollLine = (letter) => 'ball rolls ' + { U: 1, R: 2, D: 3, L: 4 }[letter];
