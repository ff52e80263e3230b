// Figures of the browser build, for docs/performance.md (not a test: nothing
// here passes or fails on a bound):
//   - bytes a first visit transfers, as a static host with gzip sends them;
//   - page load to the first intro frame on 127.0.0.1, cold and warm cache;
//   - the work of a play frame, standing and walking, and the CPU time of
//     every browser process per frame.
// The page reports its frames itself (media/gfx/web/frame_report.cpp). With a
// desktop benchmark program (--desktop, default build/default's palmut_bench
// when built) the same play frames are measured on the desktop build too.
//
//   node tests/web/measure.mjs [site folder] [--runs N] [--frames N] [--desktop PROGRAM]
import { execFileSync } from 'node:child_process';
import { createServer } from 'node:http';
import { cpSync, existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync,
         writeFileSync } from 'node:fs';
import { loadavg, tmpdir } from 'node:os';
import { dirname, extname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { decodePng } from './png.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, '../..');

function parseArgs(argv) {
  const opts = { site: join(root, 'build/web'), runs: 7, frames: 300,
                 desktop: join(root, 'build/default/tools/bench/palmut_bench') };
  for (let i = 0; i < argv.length; ++i) {
    const a = argv[i];
    if (a === '--runs') opts.runs = Number(argv[++i]);
    else if (a === '--frames') opts.frames = Number(argv[++i]);
    else if (a === '--desktop') opts.desktop = resolve(argv[++i]);
    else if (a.startsWith('--')) throw new Error(`unknown option ${a}`);
    else opts.site = resolve(a);
  }
  if (!(opts.runs >= 1 && opts.frames >= 10)) throw new Error('--runs >= 1 and --frames >= 10');
  return opts;
}

const opts = parseArgs(process.argv.slice(2));
const browserPath = process.env.PALMUT_CHROMIUM || '/usr/bin/chromium';
const STEP_MS = 60000;
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.png': 'image/png', '.data': 'application/octet-stream' };

const median = (xs) => {
  const s = [...xs].sort((a, b) => a - b);
  const m = s.length >> 1;
  return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2;
};
const fmt = (x, d = 1) => x.toFixed(d);
const kb = (bytes) => (bytes / 1024).toFixed(1);
const load = () => `load average ${loadavg().map((x) => x.toFixed(2)).join(' ')}`;

// ---------------------------------------------------------------- sizes

// The files of the folder, each raw and as gzip -9 sends it.
function siteFiles(site) {
  return readdirSync(site).filter((n) => statSync(join(site, n)).isFile()).map((name) => {
    const bytes = readFileSync(join(site, name));
    return { name, bytes, gzip: gzipSync(bytes, { level: 9 }) };
  });
}

// The packed asset tree's files (their offsets are in the loader script).
function packedFiles(site, data) {
  const js = readFileSync(join(site, 'palmut.js'), 'latin1');
  const entry = /"filename":"([^"]+)","start":(\d+),"end":(\d+)/g;
  const out = [];
  for (let m; (m = entry.exec(js));) {
    const bytes = data.subarray(Number(m[2]), Number(m[3]));
    out.push({ name: m[1], raw: bytes.length, gzip: gzipSync(bytes, { level: 9 }).length });
  }
  return out;
}

function printSizes(files) {
  console.log('== Bytes of a first visit (every file of the folder)');
  let raw = 0, gz = 0;
  for (const f of files) {
    raw += f.bytes.length;
    gz += f.gzip.length;
    console.log(`  ${f.name.padEnd(12)} raw ${kb(f.bytes.length).padStart(8)} KiB   gzip -9 ${kb(f.gzip.length).padStart(8)} KiB`);
  }
  console.log(`  ${'total'.padEnd(12)} raw ${kb(raw).padStart(8)} KiB   gzip -9 ${kb(gz).padStart(8)} KiB`);
  const data = files.find((f) => f.name === 'palmut.data');
  if (!data) return;
  const packed = packedFiles(opts.site, data.bytes).sort((a, b) => b.gzip - a.gzip);
  console.log(`  largest of the ${packed.length} packed files (each gzipped alone):`);
  for (const p of packed.slice(0, 6))
    console.log(`    ${p.name.padEnd(44)} raw ${kb(p.raw).padStart(7)} KiB  gzip ${kb(p.gzip).padStart(7)} KiB`);
}

// ---------------------------------------------------------------- server

// A static host as portals run them: gzip for clients that accept it, an
// ETag, and revalidation on every visit (304 when unchanged). Counts the
// bytes of the bodies it sends. The page is cross-origin isolated, which
// gives performance.now() microseconds instead of a tenth of a millisecond.
function serve(files) {
  const byPath = new Map(files.map((f) => [
    '/' + f.name, { ...f, etag: `"${f.bytes.length}-${f.gzip.length}"` }]));
  const counter = { bytes: 0, requests: 0 };
  const server = createServer((req, res) => {
    const path = new URL(req.url, 'http://x').pathname;
    const f = byPath.get(path === '/' ? '/index.html' : path);
    ++counter.requests;
    if (!f) {
      res.writeHead(404).end();
      return;
    }
    const headers = { 'Content-Type': TYPES[extname(f.name)] || 'application/octet-stream',
                      'Cache-Control': 'no-cache', ETag: f.etag, Vary: 'Accept-Encoding',
                      'Cross-Origin-Opener-Policy': 'same-origin',
                      'Cross-Origin-Embedder-Policy': 'require-corp' };
    if (req.headers['if-none-match'] === f.etag) {
      res.writeHead(304, headers).end();
      return;
    }
    const gzip = /\bgzip\b/.test(req.headers['accept-encoding'] || '');
    const body = gzip ? f.gzip : f.bytes;
    if (gzip) headers['Content-Encoding'] = 'gzip';
    counter.bytes += body.length;
    res.writeHead(200, headers).end(body);
  });
  return new Promise((ok) => server.listen(0, '127.0.0.1', () => ok({ server, counter })));
}

// ---------------------------------------------------------------- load

function launch() {
  return chromium.launch({
    executablePath: browserPath,
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
  });
}

const CONTEXT = { viewport: { width: 640, height: 480 }, deviceScaleFactor: 1, locale: 'de-DE' };

// When the page's state changed (loading -> running), on the page's clock.
function watchStates() {
  window.palmutStates = {};
  new MutationObserver(() => {
    const state = document.body && document.body.dataset.state;
    if (state && !(state in window.palmutStates)) window.palmutStates[state] = performance.now();
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
}

// One visit: milliseconds from navigation start to the first intro frame
// painted, and the steps on the way.
async function visit(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => window.Module && Module.palmutFirstFrameMs, null,
                             { timeout: STEP_MS, polling: 20 });
  return page.evaluate(() => {
    const res = performance.getEntriesByType('resource');
    const end = (name) => {
      const r = res.find((e) => e.name.endsWith(name));
      return r ? r.responseEnd : NaN;
    };
    return { isolated: crossOriginIsolated, frame: Module.palmutFirstFrameMs, flip: Module.palmutFirstFlipMs,
             running: window.palmutStates.running, html: performance.getEntriesByType('navigation')[0].responseEnd,
             wasm: end('palmut.wasm'), data: end('palmut.data'), js: end('palmut.js'),
             asked: (res.find((e) => e.name.endsWith('palmut.js')) || { startTime: NaN }).startTime };
  });
}

function summary(name, xs) {
  return `${name}: median ${fmt(median(xs), 0)} ms, range ${fmt(Math.min(...xs), 0)}–${fmt(Math.max(...xs), 0)} ms`;
}

async function measureLoad(url, counter) {
  const browser = await launch();
  const cold = [], warm = [];
  try {
    // One visit first, not counted: the browser's GPU process and disk cache start.
    for (let i = 0; i <= opts.runs; ++i) {
      const context = await browser.newContext(CONTEXT);
      await context.addInitScript(watchStates);
      const page = await context.newPage();
      counter.bytes = 0;
      const first = await visit(page, url);
      const sent = counter.bytes;
      // The same browser profile again: the files revalidate (304) and the
      // compiled program may come from the browser's code cache.
      const again = await visit(page, url);
      await context.close();
      if (i === 0) continue;
      cold.push({ ...first, sent });
      warm.push(again);
    }
  } finally {
    await browser.close();
  }
  console.log(`== Page load to the first intro frame on 127.0.0.1 (${opts.runs} visits each, ${load()})`);
  console.log(`  bytes sent for a first visit: ${kb(cold[0].sent)} KiB (gzip bodies); ` +
              `fine timers (cross-origin isolated): ${cold[0].isolated}`);
  for (const [name, runs] of [['cold cache', cold], ['warm cache', warm]]) {
    console.log('  ' + summary(name, runs.map((r) => r.frame)));
    const step = (key) => fmt(median(runs.map((r) => r[key])), 0);
    console.log(`    medians: page ${step('html')}, palmut.js asked ${step('asked')} and in ${step('js')}, ` +
                `palmut.wasm in ${step('wasm')}, ` +
                `palmut.data in ${step('data')}, runtime ready ${step('running')}, ` +
                `first Flip ${step('flip')}, painted ${step('frame')} ms`);
  }
}

// ---------------------------------------------------------------- frames

const CLK_TCK = Number(execFileSync('getconf', ['CLK_TCK']).toString()) || 100;

// utime + stime in ticks of a /proc stat line, and its parent.
function statOf(path) {
  const text = readFileSync(path, 'utf8');
  const f = text.slice(text.lastIndexOf(')') + 2).split(' ');
  return { ppid: Number(f[1]), ticks: Number(f[11]) + Number(f[12]) };
}

// CPU ticks of every process below this one (the browser's), by kind, and
// of the renderers' main threads (where the game's WebAssembly runs).
function browserTicks() {
  const procs = new Map();
  for (const d of readdirSync('/proc')) {
    if (!/^\d+$/.test(d)) continue;
    try {
      procs.set(Number(d), statOf(`/proc/${d}/stat`));
    } catch { /* ended meanwhile */ }
  }
  const mine = (pid) => {
    for (let p = pid; p > 1; p = procs.get(p) ? procs.get(p).ppid : 0)
      if (procs.get(p) && procs.get(p).ppid === process.pid) return true;
    return false;
  };
  const out = { renderer: 0, rendererMain: 0, gpu: 0, other: 0 };
  for (const [pid, st] of procs) {
    if (!mine(pid)) continue;
    let cmd = '';
    try {
      cmd = readFileSync(`/proc/${pid}/cmdline`, 'latin1');
    } catch { continue; }
    if (cmd.includes('--type=renderer')) {
      out.renderer += st.ticks;
      try {
        out.rendererMain += statOf(`/proc/${pid}/task/${pid}/stat`).ticks;
      } catch { /* ended meanwhile */ }
    } else if (cmd.includes('--type=gpu-process')) {
      out.gpu += st.ticks;
    } else {
      out.other += st.ticks;
    }
  }
  return out;
}

async function waitForPicture(page, what, done) {
  const until = Date.now() + STEP_MS;
  for (;;) {
    const shot = decodePng(await page.locator('#canvas').screenshot());
    if (done(shot)) return;
    if (Date.now() > until) throw new Error(`${what} never came`);
    await page.waitForTimeout(250);
  }
}

function lit(shot) {
  let n = 0;
  for (let i = 0; i < shot.rgba.length; i += 4)
    if (shot.rgba[i] + shot.rgba[i + 1] + shot.rgba[i + 2] > 30) ++n;
  return n / (shot.width * shot.height);
}

// Installs the page's frame list. Walking, each reported frame schedules one
// arrow key press on the canvas (where the game takes its keys) for the next pass (six steps east, six west, again), as a
// held key's repeat does at this frame rate.
function installFrames(page, walk) {
  return page.evaluate((walking) => {
    let n = 0;
    class Frames extends Array {
      push(item) {
        if (walking) {
          const code = (n++ % 12) < 6 ? 'ArrowRight' : 'ArrowLeft';
          setTimeout(() => {
            for (const type of ['keydown', 'keyup'])
              document.getElementById('canvas').dispatchEvent(new KeyboardEvent(type, { key: code, code, bubbles: true }));
          }, 0);
        }
        return super.push(item);
      }
    }
    Module.palmutFrames = new Frames();
  }, walk);
}

// From the intro (Escape) or a death screen (Enter) through the title
// picture and the menu into play.
async function enterPlay(page, firstKey) {
  await page.keyboard.press(firstKey);
  await page.waitForTimeout(1500);
  await page.keyboard.press('Space'); // the title picture
  await page.waitForTimeout(1000);
  await page.keyboard.press('Enter'); // the menu's "Spiel starten"
  await waitForPicture(page, 'play', (s) => lit(s) > 0.5);
  await page.waitForTimeout(1000);
}

// One stretch of play until `wanted` frames came or the frames stopped (a
// death screen waits without presenting: every step makes the castaway
// hungrier, and a lizard may bite).
async function bout(page, wanted, walk) {
  await installFrames(page, walk);
  const before = browserTicks();
  const start = Date.now();
  let count = 0, changed = Date.now();
  for (;;) {
    await page.waitForTimeout(500);
    const now = await page.evaluate(() => Module.palmutFrames.length);
    if (now >= wanted) break;
    if (now !== count) changed = Date.now();
    count = now;
    if (Date.now() - changed > 2000) break;
  }
  const after = browserTicks();
  const list = await page.evaluate(() => {
    const l = Array.from(Module.palmutFrames);
    Module.palmutFrames = null;
    return l;
  });
  const ended = list.length < wanted;
  if (ended) list.pop(); // the span that ends at the death screen
  const ticks = Object.fromEntries(Object.keys(after).map((k) => [k, after[k] - before[k]]));
  return { list, ticks, seconds: (Date.now() - start) / 1000, ended };
}

// Collects `frames` frame reports over as many lives as it takes.
async function collect(page, frames, walk) {
  const total = { list: [], seconds: 0, lives: 1, ticks: {} };
  for (let tries = 0; total.list.length < frames; ++tries) {
    if (tries > 10) throw new Error(`play frames stopped coming (${total.list.length} of ${frames})`);
    const b = await bout(page, frames - total.list.length, walk);
    total.list.push(...b.list);
    total.seconds += b.seconds;
    for (const k of Object.keys(b.ticks)) total.ticks[k] = (total.ticks[k] || 0) + b.ticks[k];
    if (!b.ended) break;
    ++total.lives;
    await enterPlay(page, 'Enter');
  }
  const perFrame = (t) => t * 1000 / CLK_TCK / total.list.length;
  total.cpu = Object.fromEntries(Object.entries(total.ticks).map(([k, t]) => [k, perFrame(t)]));
  return total;
}

const mean = (xs) => xs.reduce((a, b) => a + b, 0) / xs.length;

function printFrames(name, r) {
  const all = r.list.map((f) => f[0]);
  const drawn = r.list.filter((f) => f[1] > 0).map((f) => f[0]);
  const repeated = r.list.filter((f) => f[1] === 0).map((f) => f[0]);
  const sum = r.cpu.renderer + r.cpu.gpu + r.cpu.other;
  console.log(`  ${name}: ${r.list.length} frames in ${fmt(r.seconds)} s (${fmt(r.list.length / r.seconds)} per s), ` +
              `${drawn.length} drawn, ${repeated.length} repeating the one shown` +
              `${r.lives > 1 ? `, over ${r.lives} lives` : ''}; ${load()}`);
  console.log(`    work between presents (main thread, without Pause): median ${fmt(median(all), 3)} ms, ` +
              `mean ${fmt(mean(all), 3)}, range ${fmt(Math.min(...all), 3)}–${fmt(Math.max(...all), 3)} ms`);
  for (const [kind, xs] of [['drawn', drawn], ['repeated', repeated]])
    if (xs.length) console.log(`      ${kind} frames: median ${fmt(median(xs), 3)} ms, mean ${fmt(mean(xs), 3)} ms`);
  console.log(`    CPU per frame, mean: renderer main thread ${fmt(r.cpu.rendererMain, 2)} ms, ` +
              `renderer ${fmt(r.cpu.renderer, 2)}, GPU process (SwiftShader) ${fmt(r.cpu.gpu, 2)}, ` +
              `browser and others ${fmt(r.cpu.other, 2)}; all ${fmt(sum, 2)} ms`);
}

async function measureFrames(url) {
  const browser = await launch();
  try {
    const page = await browser.newPage(CONTEXT);
    await page.goto(url);
    await page.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });
    await page.waitForFunction(() => Module.palmutFirstFrameMs, null, { timeout: STEP_MS });
    await enterPlay(page, 'Escape');
    console.log(`== Play frames in the browser (headless Chromium, SwiftShader WebGL 2), ${opts.frames} each`);
    printFrames('standing', await collect(page, opts.frames, false));
    printFrames('walking', await collect(page, opts.frames, true));
    const shot = join(tmpdir(), 'palmut-measure-walked.png');
    writeFileSync(shot, await page.locator('#canvas').screenshot());
    console.log(`    (the view after walking: ${shot})`);
  } finally {
    await browser.close();
  }
}

// ---------------------------------------------------------------- desktop

function measureDesktop() {
  if (!existsSync(opts.desktop)) {
    console.log(`== Desktop: no benchmark program at ${opts.desktop} ` +
                '(cmake --build --preset default --target palmut_bench)');
    return;
  }
  const work = mkdtempSync(join(tmpdir(), 'palmut-measure-'));
  try {
    // The game's own assets, no music stream, and no settings of the user's.
    cpSync(join(root, 'assets'), join(work, 'assets'), { recursive: true });
    writeFileSync(join(work, 'assets/data/stream.cfg'), '\n');
    const env = { ...process.env, HOME: work, XDG_CONFIG_HOME: join(work, 'config'),
                  SDL_AUDIODRIVER: 'dummy' };
    // The desktop's own OpenGL 3.3 context, then OpenGL ES 3.0 as in the page.
    for (const extra of [[], ['--gles']]) {
      const args = [opts.desktop, 'play-frames', '--assets', join(work, 'assets'),
                    '--frames', String(opts.frames), ...extra];
      const command = process.env.DISPLAY ? args : ['xvfb-run', '-a', '-s', '-screen 0 1024x768x24', ...args];
      console.log(`== Play frames on the desktop (play-frames ${args.slice(4).join(' ')}, ${load()})`);
      const text = execFileSync(command[0], command.slice(1),
                                { env, encoding: 'utf8', timeout: 60000 + opts.frames * 1000 });
      console.log(text.trimEnd().replace(/^/gm, '  '));
    }
    console.log(`  (${load()})`);
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
}

async function main() {
  const files = siteFiles(opts.site);
  printSizes(files);
  const { server, counter } = await serve(files);
  const url = `http://127.0.0.1:${server.address().port}/`;
  try {
    await measureLoad(url, counter);
    await measureFrames(url);
  } finally {
    server.close();
  }
  measureDesktop();
}

main().catch((e) => {
  console.error(String(e.stack || e));
  process.exit(1);
});
