// Keeps the edition's own files so that the page opens without a network after
// the first visit. The list is the folder's; the build puts its version in
// the cache name, so a new build replaces the old files at once.
const CACHE = "domarium-@BUILD@";
const FILES = ["./", "index.html", "domarium.css", "domarium.js", "domarium-engine.js",
  "domarium-engine.wasm", "StarData", "ConstellationData", "StarNames", "ChartGlyphs", "ChartGlyphs-125", "ChartGlyphs-150",
  "ChartGlyphs-200", "ChartGlyphs-300", "LabelFont",
  "manifest.webmanifest", "icon.svg"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

// Own files from the cache first (the address's query does not matter);
// anything else is not the edition's and goes to the network untouched.
self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  if (url.origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(event.request)));
});
