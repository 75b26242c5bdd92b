// The sound cues through Web Audio. Every cue is fetched and decoded ahead, so a request never
// waits for a download; one cue sounds at a time and a new one stops it, as on the desktop.

// A cue's name uses a backslash for its folder ("wave\鉄砲１.wav"); the page's files use "/",
// and hold each cue as MP3, which every browser decodes, at a sixth of the WAV's size.
export function cueUrl(name) {
  const file = name.replace(/\.wav$/, ".mp3");
  return "cues/" + file.split("\\").map(encodeURIComponent).join("/");
}

export class CuePlayer {
  constructor(names) {
    this.names = names;
    this.buffers = new Map();
    this.context = null;
    this.sounding = null;
    this.waiting = null;
    this.ready = null;
  }

  // Fetches and decodes every cue. Decoding needs no sound device: an offline context decodes
  // before the player's first click, when the browser would not yet let a real one start.
  loadAll() {
    if (this.ready === null) {
      const decoder = new OfflineAudioContext(1, 1, 48000);
      this.ready = Promise.all(this.names.map((name) => this.load(decoder, name)));
    }
    return this.ready;
  }

  async load(decoder, name) {
    try {
      const response = await fetch(cueUrl(name));
      if (!response.ok) {
        return;
      }
      const buffer = await decoder.decodeAudioData(await response.arrayBuffer());
      this.buffers.set(name, buffer);
      if (this.waiting === name) {
        this.waiting = null;
        this.start(name);
      }
    } catch {
      // A cue that cannot be had stays silent, as a missing file does on the desktop.
    }
  }

  // Called from the player's first click: from here on the page may sound.
  open() {
    if (this.context === null) {
      this.context = new AudioContext({ latencyHint: "interactive" });
    }
    if (this.context.state === "suspended") {
      this.context.resume();
    }
  }

  play(name) {
    this.stop();
    if (this.context === null) {
      return;
    }
    if (this.buffers.has(name)) {
      this.start(name);
    } else {
      // Still decoding: it starts when ready, unless another cue is asked for first.
      this.waiting = name;
    }
  }

  start(name) {
    this.stop();
    const source = this.context.createBufferSource();
    source.buffer = this.buffers.get(name);
    source.connect(this.context.destination);
    source.onended = () => {
      if (this.sounding === source) {
        this.sounding = null;
      }
    };
    source.start();
    this.sounding = source;
  }

  stop() {
    this.waiting = null;
    if (this.sounding !== null) {
      const sounding = this.sounding;
      this.sounding = null;
      sounding.onended = null;
      try {
        sounding.stop();
      } catch {
        // Already ended on its own.
      }
      sounding.disconnect();
    }
  }
}
