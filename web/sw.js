// The page's service worker: after one visit every file of the page's
// folder is kept, so that the calendar opens and answers with no network.
// The build writes the hash of the files into the cache's name: a new build
// is a new worker, which fetches the new files once and drops the old ones.
const CACHE = "calendar-@FILES_HASH@";
const FILES = ["./", "index.html", "calendar.js", "calendar.css", "vorane2.wasm",
  "manifest.webmanifest", "icon.svg"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

// Kept files first: every month is computed in the page, so a kept page is
// as good as a fetched one. The address's query only chooses the month.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
