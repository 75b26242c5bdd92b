// The explanation file, fetched afresh each time the player asks and decoded from Shift_JIS
// (code page 932), as the desktop reads it from beside the program.

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
