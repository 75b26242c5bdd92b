// Keeps the game playable offline: every file of one build in one cache named after the
// build. A new build is fetched whole into a cache of its own, and a start uses one build's
// files only, never a mix. The build script fills in the build and its files.
const BUILD = "__BUILD__";
const CORE_FILES = __CORE_FILES__;
// The explanation is read afresh each time while online, and kept for offline play.
const EXPLANATION = "__EXPLANATION__";
const CACHE = `mukiro-${BUILD}`;

self.addEventListener("install", (event) => {
  event.waitUntil(
    caches.open(CACHE).then(async (cache) => {
      // Fresh from the server, not from the browser's own cache of an older build.
      await cache.addAll(CORE_FILES.map((file) => new Request(file, { cache: "no-cache" })));
      // A missing explanation is the player's to hear about, not a reason to stay online.
      await cache.add(new Request(EXPLANATION, { cache: "no-cache" })).catch(() => {});
    }),
  );
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    (async () => {
      for (const name of await caches.keys()) {
        if (name.startsWith("mukiro-") && name !== CACHE) {
          await caches.delete(name);
        }
      }
      // The first visit is served by this worker from here on, so what it loads next (the
      // pictures drawn for its screen) is kept too.
      await self.clients.claim();
    })(),
  );
});

self.addEventListener("message", (event) => {
  const message = event.data ?? {};
  if (message.type === "activate") {
    // The page has not started a game: the new build may take over before it does.
    self.skipWaiting();
  } else if (message.type === "keep" && Array.isArray(message.files)) {
    // The pictures drawn for the page's screen, kept with the build's other files.
    event.waitUntil(
      caches.open(CACHE).then(async (cache) => {
        for (const file of message.files) {
          if (!(await cache.match(file))) {
            await cache.add(new Request(file, { cache: "no-cache" }));
          }
        }
      }),
    );
  }
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) {
    return;
  }
  if (decodeURIComponent(new URL(request.url).pathname).endsWith(`/${EXPLANATION}`)) {
    event.respondWith(explanation(request));
    return;
  }
  event.respondWith(
    (async () => {
      const cache = await caches.open(CACHE);
      const key = request.mode === "navigate" ? new URL("./", self.location).href : request;
      const kept = await cache.match(key, { ignoreSearch: request.mode === "navigate" });
      if (kept) {
        return kept;
      }
      const response = await fetch(request);
      // Pictures for another screen, fetched while online, are kept with this build.
      if (response.ok && new URL(request.url).pathname.includes("/pictures/")) {
        await cache.put(request, response.clone());
      }
      return response;
    })(),
  );
});

async function explanation(request) {
  const cache = await caches.open(CACHE);
  try {
    const response = await fetch(request);
    if (response.ok) {
      await cache.put(EXPLANATION, response.clone());
    }
    return response;
  } catch {
    // Offline: the copy kept with the build.
    return (await cache.match(EXPLANATION)) ?? Response.error();
  }
}
