// A first visit, three times over in a fresh browser each: the loading screen
// is up before the program's first frame (never a bare black page), the
// server's bytes, the times to the loading screen, the splash and the menu,
// and the longest task that held the page, printed as medians of 3. After the
// last visit the network is cut and the server stopped: the service worker's
// copy loads the page, which plays.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { bytesSent, launch, median, serve, sleep, watch } from './support.mjs';

test('the first visit starts quickly, and the next one plays offline', async (t) => {
  const server = await serve();
  const figures = { loading: [], splash: [], menu: [], longest: [], afterSplash: [], bytes: [] };
  try {
    for (let visit = 0; visit < 3; visit++) {
      const { browser, close } = await launch();
      try {
        const page = await browser.newPage();
        // Tasks that held the page, from its first script on.
        await page.evaluateOnNewDocument(() => {
          window.longTasks = [];
          new PerformanceObserver((list) => list.getEntries().forEach((e) => window.longTasks.push([e.startTime, e.duration])))
            .observe({ type: 'longtask', buffered: true });
        });
        await page.setViewport({ width: 800, height: 600 });
        const seen = watch(page);
        const from = server.answers.length;
        await page.goto(`${server.url}?log`);
        await seen.waitFor('start at level 0');
        for (let n = 0; n < 100 && (await page.evaluate(() => (Module.frameStats.firstFlips.length))) < 2; n++) await sleep(50);
        await page.evaluate(() => navigator.serviceWorker.ready);
        await sleep(500);  // the offline copy is stored
        const at = await page.evaluate(() => ({
          loading: performance.getEntriesByName('first-contentful-paint')[0]?.startTime,
          flips: Module.frameStats.firstFlips,
          longest: Math.max(0, ...window.longTasks.map(([, d]) => d)),
          afterSplash: Math.max(0, ...window.longTasks.filter(([at]) => at > Module.frameStats.firstFlips[0]).map(([, d]) => d)),
        }));
        assert.ok(at.loading < at.flips[0], 'the loading screen came before the first frame');
        figures.loading.push(at.loading);
        figures.splash.push(at.flips[0]);
        figures.menu.push(at.flips[1]);
        figures.longest.push(at.longest);
        figures.afterSplash.push(at.afterSplash);
        figures.bytes.push(bytesSent(server, from));
        assert.ok(server.answers.slice(from).some((l) => l.startsWith('GET /index.wasm ')), 'the program came from the server');

        if (visit === 2) {
          // Offline, the server gone too: the game still loads and plays.
          await page.setOfflineMode(true);
          server.close();
          const before = server.answers.length;
          seen.forget();
          await page.reload();
          await seen.waitFor('start at level 0');
          await sleep(2500);
          for (const key of ['Enter', 'Enter', 'ArrowRight']) {
            await page.keyboard.press(key, { delay: 60 });
            await sleep(1500);
          }
          await seen.waitFor(/^ball rolls \d$/);
          assert.equal(server.answers.length, before, `nothing asked of the server: ${server.answers.slice(before)}`);
        }
        assert.deepEqual(seen.errors, [], 'no errors on the page');
      } finally {
        await close();
      }
    }
  } finally {
    server.close();
  }
  const ms = (xs) => `${median(xs).toFixed(0)} ms (${xs.map((x) => x.toFixed(0)).join(', ')})`;
  t.diagnostic(`first visit, medians of 3: loading screen ${ms(figures.loading)}, splash ${ms(figures.splash)}, menu ${ms(figures.menu)}, longest task ${ms(figures.longest)}, the longest once the splash is up ${ms(figures.afterSplash)}`);
  t.diagnostic(`bytes over the wire for a first visit (the offline copy included): ${(median(figures.bytes) / 1e6).toFixed(2)} MB (${figures.bytes.map((b) => (b / 1e6).toFixed(2)).join(', ')})`);
});
