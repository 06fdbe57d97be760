// Headless Chromium driven over the DevTools protocol through a pipe (file
// descriptors 3 and 4, messages ended by NUL), and a static file server for
// the page: what the browser test and the benchmark share. No npm package.
import { spawn } from "node:child_process";
import { createServer } from "node:http";
import { mkdtempSync, readFileSync, rmSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";

const TYPES = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".svg": "image/svg+xml",
  ".webmanifest": "application/manifest+json",
};

// Serves `dir` under http://127.0.0.1:PORT`prefix` (prefix like "/cal/");
// resolves to { base, requests, close }, `requests` every path asked for.
export function serve(dir, prefix = "/") {
  const requests = [];
  const server = createServer((req, res) => {
    const path = decodeURIComponent(new URL(req.url, "http://x").pathname);
    requests.push(path);
    let file = null;
    if (path.startsWith(prefix)) {
      const rel = normalize(path.slice(prefix.length) || "index.html");
      if (!rel.startsWith("..")) file = join(dir, rel);
    }
    try {
      if (file === null || !statSync(file).isFile()) throw new Error("none");
      res.writeHead(200, { "Content-Type": TYPES[extname(file)] || "application/octet-stream",
        "Cache-Control": "no-store" });
      res.end(readFileSync(file));
    } catch {
      res.writeHead(404);
      res.end();
    }
  });
  return new Promise((resolve) => {
    server.listen(0, "127.0.0.1", () => {
      const base = `http://127.0.0.1:${server.address().port}${prefix}`;
      // Closing ends the browser's idle connections too, so that a page
      // can be shown the server gone; a second close is the first's.
      let closed = null;
      const close = () => (closed ??= new Promise((r) => {
        server.close(() => r());
        server.closeAllConnections();
      }));
      resolve({ base, requests, close });
    });
  });
}

// Starts Chromium; resolves to a browser with send(method, params,
// sessionId), on(method, handler) and close().
export async function launch(extraArgs = []) {
  const profile = mkdtempSync(join(tmpdir(), "calendar-chromium-"));
  const child = spawn("chromium", ["--headless=new", "--no-sandbox", "--disable-gpu",
    "--no-first-run", "--no-default-browser-check", "--disable-extensions",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-debugging-pipe", `--user-data-dir=${profile}`, ...extraArgs, "about:blank"],
  { stdio: ["ignore", "ignore", "ignore", "pipe", "pipe"] });
  const [toBrowser, fromBrowser] = [child.stdio[3], child.stdio[4]];
  let nextId = 1;
  const pending = new Map();
  const handlers = new Map();
  let buffer = Buffer.alloc(0);
  fromBrowser.on("data", (chunk) => {
    buffer = Buffer.concat([buffer, chunk]);
    let end;
    while ((end = buffer.indexOf(0)) >= 0) {
      const message = JSON.parse(buffer.subarray(0, end).toString("utf8"));
      buffer = buffer.subarray(end + 1);
      if (message.id !== undefined) {
        const { resolve, reject, method } = pending.get(message.id);
        pending.delete(message.id);
        if (message.error) reject(new Error(`${method}: ${message.error.message}`));
        else resolve(message.result);
      } else {
        for (const handler of handlers.get(message.method) || []) {
          handler(message.params, message.sessionId);
        }
      }
    }
  });
  const exited = new Promise((resolve) => child.on("exit", resolve));
  const browser = {
    send(method, params = {}, sessionId = undefined) {
      const id = nextId++;
      const message = { id, method, params };
      if (sessionId) message.sessionId = sessionId;
      toBrowser.write(`${JSON.stringify(message)}\0`);
      return new Promise((resolve, reject) => pending.set(id, { resolve, reject, method }));
    },
    on(method, handler) {
      if (!handlers.has(method)) handlers.set(method, []);
      handlers.get(method).push(handler);
    },
    async close() {
      toBrowser.end();
      const timer = setTimeout(() => child.kill("SIGKILL"), 5000);
      await exited;
      clearTimeout(timer);
      rmSync(profile, { recursive: true, force: true });
    },
  };
  return browser;
}

// A page of `browser`: a new tab attached with its own session, with
// evaluate(expression), navigate(url) (resolving once the calendar is drawn)
// and send(method, params) in its session.
export async function openPage(browser) {
  const { targetId } = await browser.send("Target.createTarget", { url: "about:blank" });
  const { sessionId } = await browser.send("Target.attachToTarget", { targetId, flatten: true });
  const send = (method, params) => browser.send(method, params, sessionId);
  const page = {
    sessionId,
    send,
    async evaluate(expression) {
      const { result, exceptionDetails } = await send("Runtime.evaluate",
        { expression, returnByValue: true, awaitPromise: true });
      if (exceptionDetails) {
        throw new Error(`in page: ${exceptionDetails.exception?.description || exceptionDetails.text}`);
      }
      return result.value;
    },
    async waitFor(expression, what, timeoutMs = 10000) {
      const until = Date.now() + timeoutMs;
      for (;;) {
        if (await page.evaluate(expression)) return;
        if (Date.now() > until) throw new Error(`timed out waiting for ${what}`);
        await new Promise((r) => setTimeout(r, 10));
      }
    },
    async navigate(url) {
      await send("Page.navigate", { url });
      await page.waitFor(`document.readyState === "complete" &&
        document.documentElement.dataset.ready === "1"`, `the calendar at ${url}`);
    },
  };
  return page;
}
