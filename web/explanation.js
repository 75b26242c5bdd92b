// The explanation: its file fetched afresh each time the player asks and decoded from Shift_JIS
// (code page 932), as the desktop reads it from beside the program, and the viewer that shows it.

// Reads the file; gives {text} or {problem} with a key of the layout's explanation problems.
export async function readExplanation(explanation) {
  let response;
  try {
    response = await fetch(encodeURIComponent(explanation.file), { cache: "no-cache" });
  } catch {
    return { problem: "unreadable" };
  }
  if (response.status === 404 || response.status === 410) {
    return { problem: "missing" };
  }
  if (!response.ok) {
    return { problem: "unreadable" };
  }
  const declared = Number(response.headers.get("Content-Length"));
  if (declared > explanation.maxBytes) {
    return { problem: "tooLarge" };
  }
  let bytes;
  try {
    bytes = new Uint8Array(await response.arrayBuffer());
  } catch {
    return { problem: "unreadable" };
  }
  if (bytes.length > explanation.maxBytes) {
    return { problem: "tooLarge" };
  }
  if (bytes.length === 0) {
    return { problem: "empty" };
  }
  // A byte that is no character shows as U+FFFD, as on the desktop.
  const text = new TextDecoder("shift_jis").decode(bytes);
  if (text.length === 0) {
    return { problem: "unreadable" };
  }
  return { text };
}

// The viewer over the window: it shows the file's lines as the game lays them out, and a click,
// Esc, Enter or Space hides it and gives the focus back to where it was.
export class Explanation {
  // `explanation` is the layout's; `fallback` takes the focus when the one before is gone.
  constructor(viewer, explanation, game, fallback) {
    this.viewer = viewer;
    this.explanation = explanation;
    this.game = game;
    this.fallback = fallback;
    this.focusBefore = null;
    viewer.addEventListener("click", () => this.close());
    viewer.addEventListener("keydown", (event) => {
      if (["Escape", "Enter", " "].includes(event.key)) {
        event.preventDefault();
        this.close();
      }
    });
  }

  // Sounds the explanation's cue and shows the file as it is now; a file that cannot be shown
  // gets its Message through `showMessage` instead, and the game goes on as it was.
  async open(cues, showMessage) {
    const viewer = this.viewer;
    if (viewer.hidden) {
      this.focusBefore = document.activeElement;
    }
    viewer.value = "";
    cues.play(this.explanation.cue);
    const read = await readExplanation(this.explanation);
    if (read.problem) {
      viewer.hidden = true;
      await showMessage(this.explanation.problems[read.problem]);
      return;
    }
    // The lines laid out by the game's own rule: each followed by CR LF, a lone LF kept.
    viewer.value = this.game.viewerText(read.text);
    viewer.hidden = false;
    viewer.setSelectionRange(0, 0);
    viewer.scrollTop = 0;
    viewer.focus();
  }

  close() {
    this.viewer.hidden = true;
    const back = this.focusBefore;
    if (back && back.isConnected && !back.hidden && back !== document.body) {
      back.focus();
    } else {
      this.fallback.focus();
    }
  }
}
