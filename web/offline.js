// Offline play: a service worker keeps the build's files, and the pictures of the screen in
// use once the page knows its screen.

// Asks the offline store to keep `files`.
export function keepFiles(files) {
  navigator.serviceWorker?.controller?.postMessage({ type: "keep", files });
}

// Registers the worker. A newer build found while the start screen is up takes over at once
// (the page reloads before anything is played); found later, it waits for the next start.
// `playing()` tells whether the game has started; `firstControl()` runs when a first worker
// takes control, which then still lacks the pictures kept so far.
export async function keepForOffline({ playing, firstControl }) {
  if (!("serviceWorker" in navigator)) {
    return;
  }
  const hadWorker = navigator.serviceWorker.controller !== null;
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    if (hadWorker && !playing()) {
      location.reload();
    } else if (!hadWorker) {
      firstControl();
    }
  });
  const registration = await navigator.serviceWorker.register("sw.js");
  const takeOverIfIdle = (worker) => {
    if (worker && hadWorker && !playing()) {
      worker.postMessage({ type: "activate" });
    }
  };
  takeOverIfIdle(registration.waiting);
  registration.addEventListener("updatefound", () => {
    const worker = registration.installing;
    worker.addEventListener("statechange", () => {
      if (worker.state === "installed") {
        takeOverIfIdle(worker);
      }
    });
  });
}
