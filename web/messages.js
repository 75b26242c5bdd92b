// Messages: the game's modal dialog over the window, which a run waits on until the player
// closes it.

const $ = (id) => document.getElementById(id);

// Captions the dialog; OK closes it, as do Escape and the dialog's own cancel.
export function wireMessages(caption) {
  $("messageCaption").textContent = caption;
  $("messageOk").addEventListener("click", () => $("message").close());
}

export function messageOpen() {
  return $("message").open;
}

// Shows `text`; resolves when the player closes it.
export function showMessage(text) {
  const dialog = $("message");
  $("messageText").textContent = text;
  return new Promise((resolve) => {
    dialog.addEventListener("close", () => resolve(), { once: true });
    dialog.showModal();
    $("messageOk").focus();
  });
}
