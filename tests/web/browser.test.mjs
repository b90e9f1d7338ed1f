// The browser version in a real browser: the page is served on 127.0.0.1 and
// loaded in Debian's headless Chromium; keys pressed through the page reach
// play, ask for a hint, take a roll back and solve level 0 with the solver's
// moves; the pictures are compared
// with the desktop program's headless frames of the same moments; a reload
// finds level 0 still solved in the browser's database and the game going on
// at level 1, played this time with a gamepad; Quit on the title leads back to
// the title, where a click on a scaled, letterboxed frame plays on. Prints
// the page's load and frame-time figures.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { gameDir, launch, rollLine, serve, shots, site, sleep, solution, storedFiles, watch } from './support.mjs';

// The desktop program's frames of the same moments, from a headless run with
// the same keys.
function desktopFrames(keys, folder) {
  fs.mkdirSync(folder, { recursive: true });
  for (const d of ['media', 'levels', 'system']) {
    const link = path.join(folder, d);
    if (!fs.existsSync(link)) fs.symlinkSync(path.join(gameDir, d), link);
  }
  const vk = { U: 38, D: 40, L: 37, R: 39 };
  // Menu, Play, the tutorial page closed, H for a hint, a roll right taken
  // back with U, then the solution.
  let script = '200 shot menu.png\n210 key 13 down\n212 key 13 up\n260 shot tutorial.png\n' +
    '300 key 13 down\n302 key 13 up\n360 shot board.png\n365 key 72 down\n367 key 72 up\n395 shot hint.png\n' +
    '400 key 39 down\n402 key 39 up\n490 key 85 down\n492 key 85 up\n520 shot undone.png\n';
  keys.forEach((k, i) => { script += `${530 + 90 * i} key ${vk[k]} down\n${532 + 90 * i} key ${vk[k]} up\n`; });
  const last = 530 + 90 * (keys.length - 1);
  script += `${last + 250} shot next.png\n${last + 270} close\n`;
  fs.writeFileSync(path.join(folder, 'script.txt'), script);
  execFileSync(path.join(gameDir, 'quillmere'), ['--headless', '--script', 'script.txt', '--log', 'log.txt', '--max-frames', String(last + 400)], { cwd: folder });
  const log = fs.readFileSync(path.join(folder, 'log.txt'), 'utf8');
  assert.match(log, /Loading map 1\.lvl/, 'the desktop run solved level 0 too');
  return (name) => fs.readFileSync(path.join(folder, name));
}

// Pixels whose colour differs by more than a renderer's rounding, as a share
// of the frame, and a picture of where they are (red over the grey frame).
async function compare(page, a, b) {
  return page.evaluate(async (a64, b64) => {
    const load = async (s) => createImageBitmap(await (await fetch('data:image/png;base64,' + s)).blob());
    const [ia, ib] = await Promise.all([load(a64), load(b64)]);
    const pixels = (img) => {
      const c = new OffscreenCanvas(img.width, img.height);
      const g = c.getContext('2d');
      g.drawImage(img, 0, 0);
      return g.getImageData(0, 0, img.width, img.height);
    };
    const pa = pixels(ia), pb = pixels(ib);
    if (pa.width !== pb.width || pa.height !== pb.height) return { share: 1, width: pa.width, height: pa.height };
    const out = new ImageData(pa.width, pa.height);
    let differing = 0;
    for (let i = 0; i < pa.data.length; i += 4) {
      const d = Math.max(Math.abs(pa.data[i] - pb.data[i]), Math.abs(pa.data[i + 1] - pb.data[i + 1]),
        Math.abs(pa.data[i + 2] - pb.data[i + 2]));
      const grey = (pa.data[i] + pa.data[i + 1] + pa.data[i + 2]) / 6;
      const off = d > 48;
      if (off) differing++;
      out.data[i] = off ? 255 : grey;
      out.data[i + 1] = off ? 0 : grey;
      out.data[i + 2] = off ? 0 : grey;
      out.data[i + 3] = 255;
    }
    const c = new OffscreenCanvas(pa.width, pa.height);
    c.getContext('2d').putImageData(out, 0, 0);
    const blob = await c.convertToBlob({ type: 'image/png' });
    const bytes = new Uint8Array(await blob.arrayBuffer());
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return { share: differing / (pa.width * pa.height), width: pa.width, height: pa.height, diff: btoa(text) };
  }, a.toString('base64'), b.toString('base64'));
}

// The 10th, 50th and 90th percentiles.
const spread = (xs) => {
  const s = [...xs].sort((p, q) => p - q);
  return [0.1, 0.5, 0.9].map((q) => (s.length ? s[Math.floor(q * (s.length - 1))] : NaN).toFixed(2)).join(', ');
};

test('the browser version plays level 0, keeps it solved across a reload and draws what the desktop draws', async (t) => {
  fs.rmSync(shots, { recursive: true, force: true });
  fs.mkdirSync(shots, { recursive: true });
  const keys = solution(0);
  const desktop = desktopFrames(keys, path.join(shots, 'desktop'));

  const server = await serve();
  const url = `${server.url}?log`;
  const { browser, close } = await launch();
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    // A standard-layout pad, as the browser's gamepad interface shows one;
    // the test presses its buttons.
    await page.evaluateOnNewDocument(() => {
      const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
      const pad = { id: 'Test pad', index: 0, connected: true, mapping: 'standard', timestamp: 1, axes: [0, 0, 0, 0], buttons };
      window.pressPad = (b, down) => {
        buttons[b].pressed = buttons[b].touched = down;
        buttons[b].value = down ? 1 : 0;
        pad.timestamp += 1;
      };
      navigator.getGamepads = () => [pad];
    });
    const seen = watch(page);
    const waitForLine = seen.waitFor;
    const press = async (key) => {
      await page.keyboard.down(key);
      await sleep(60);
      await page.keyboard.up(key);
    };
    const padButtonA = 0;
    const pressPad = async (button) => {
      await page.evaluate((b) => window.pressPad(b, true), button);
      await sleep(100);
      await page.evaluate((b) => window.pressPad(b, false), button);
    };
    const pictures = {};
    const shoot = async (name) => {
      pictures[name] = Buffer.from(await page.screenshot({ type: 'png', clip: { x: 0, y: 0, width: 800, height: 600 } }));
      fs.writeFileSync(path.join(shots, `browser-${name}.png`), pictures[name]);
    };
    const sameAsDesktop = async (name, desktopName = name) => {
      const result = await compare(page, pictures[name], desktop(`${desktopName}.png`));
      if (result.diff) fs.writeFileSync(path.join(shots, `diff-${name}.png`), Buffer.from(result.diff, 'base64'));
      t.diagnostic(`${name}: ${(100 * result.share).toFixed(2)}% of the pixels differ from the desktop frame`);
      assert.equal(result.width, 800);
      assert.equal(result.height, 600);
      assert.ok(result.share < 0.03, `${name} differs from the desktop frame in ${(100 * result.share).toFixed(2)}% of its pixels`);
    };

    // First visit: an empty database, so the game starts at level 0.
    await page.goto(url);
    await waitForLine('-- Start of program --');
    await waitForLine('start at level 0');
    await sleep(1500);  // the menu fades in
    await shoot('menu');
    await sameAsDesktop('menu');

    assert.equal(await page.evaluate(() => Module.SDL2.audioContext.state), 'running', 'the sound is on');
    await press('Enter');  // Play: level 0 opens with its tutorial page
    await sleep(1500);
    await shoot('tutorial');
    await sameAsDesktop('tutorial');
    await press('Enter');
    await sleep(1500);
    await shoot('board');
    await sameAsDesktop('board');
    // The aids: H shows the first move of a shortest way, U takes a roll back.
    await press('h');
    await sleep(500);
    await shoot('hint');
    await sameAsDesktop('hint');
    await press('ArrowRight');
    await sleep(1500);
    await press('u');
    await sleep(500);
    await shoot('undone');
    await sameAsDesktop('undone');
    // The splash is the first flip; the first menu frame the next, once the
    // splash's 2000 ms are over.
    const [splashAt, menuAt] = await page.evaluate(() => Module.frameStats.firstFlips);
    assert.ok(menuAt - splashAt >= 1990, `the splash stayed ${menuAt - splashAt} ms`);

    // The frame figures come from the play that follows, with no screenshot
    // (which holds up the browser's drawing) in between.
    await page.evaluate(() => { Module.frameStats.busy.length = 0; Module.frameStats.interval.length = 0; });
    for (const k of keys) {
      await press({ U: 'ArrowUp', D: 'ArrowDown', L: 'ArrowLeft', R: 'ArrowRight' }[k]);
      await sleep(1500);  // a roll across the whole board takes a second
    }
    const frameStats = await page.evaluate(() => ({ busy: [...Module.frameStats.busy], interval: [...Module.frameStats.interval] }));
    await waitForLine('Loading map 1.lvl', 10000);
    const rolls = seen.lines.filter((l) => l.startsWith('ball rolls '));
    assert.deepEqual(rolls, ['R', ...keys].map(rollLine), 'one roll a key');
    // The solved level is in the browser's database as soon as the game goes on.
    let stored = await storedFiles(page);
    assert.ok(['best0.dat', 'uniqueID.idn'].every((n) => n in stored), `in the database: ${Object.keys(stored)}`);
    assert.deepEqual(stored['save0.dat'].slice(0, 2), [1, 3], 'save0.dat in the database: level 0 solved, level 1 open');
    await sleep(3000);  // the slide to level 1 ends
    await shoot('next');
    await sameAsDesktop('next');

    const firstId = seen.lines.find((l) => l.startsWith('game log - first run - unique ID '));
    assert.ok(firstId, 'the first visit made a new player number');

    // A reload reads the profile back from the database.
    seen.forget();
    await page.reload();
    await waitForLine('start at level 1');
    assert.ok(!seen.lines.includes('start at level 0'), 'the reload went on at level 1');
    await waitForLine(firstId.replace('first run - unique ID', 'unique ID') + ', log number 1');
    await sleep(1500);
    await pressPad(padButtonA);  // Play, with the pad this time
    await sleep(1500);
    await shoot('resumed');
    await sameAsDesktop('resumed', 'next');

    // Quit on the title: everything saved, and the page starts the game afresh.
    await press('Escape');
    await sleep(1500);
    await press('ArrowUp');  // from Play round to Quit
    await sleep(300);
    seen.forget();
    await press('Enter');
    await waitForLine('-- End of program --');
    await waitForLine('-- Start of program --');
    await waitForLine('start at level 1');
    stored = await storedFiles(page);
    assert.equal(stored['options.dat'].length, 12, 'the quit saved the options');
    await sleep(1500);
    await shoot('restarted');
    await sameAsDesktop('restarted', 'menu');

    // The mouse on a wider window: the frame is scaled by 1.25 and centred, and
    // a click on Play still lands on Play.
    await page.setViewport({ width: 1200, height: 750 });
    await sleep(300);
    await page.mouse.move(100 + 226 * 1.25, 241 * 1.25);
    await sleep(300);  // the button lights under the pointer first
    await page.mouse.down();
    await sleep(100);
    await page.mouse.up();
    await sleep(1500);
    await page.setViewport({ width: 800, height: 600 });
    await sleep(300);
    await shoot('clicked');
    await sameAsDesktop('clicked', 'next');
    assert.deepEqual(seen.errors, [], 'no errors on the page');

    const size = (name) => fs.statSync(path.join(site, name)).size;
    const gz = (name) => zlib.gzipSync(fs.readFileSync(path.join(site, name)), { level: 9 }).length;
    const mb = (n) => (n / 1048576).toFixed(2) + ' MB';
    t.diagnostic(`index.wasm ${mb(size('index.wasm'))} (${mb(gz('index.wasm'))} gzip), index.data ${mb(size('index.data'))} (${mb(gz('index.data'))} gzip), index.js ${mb(size('index.js'))} (${mb(gz('index.js'))} gzip)`);
    t.diagnostic(`page load to the splash ${splashAt.toFixed(0)} ms, to the first menu frame ${menuAt.toFixed(0)} ms (the splash stays 2000 ms)`);
    t.diagnostic(`the program's memory at the end: ${mb(await page.evaluate(() => Module.HEAP8.length))}`);
    t.diagnostic(`play frames, the ball rolling: work ${spread(frameStats.busy)} ms, interval ${spread(frameStats.interval)} ms (10th, 50th, 90th percentiles of ${frameStats.busy.length} frames)`);
  } finally {
    await close();
    server.close();
  }
});
