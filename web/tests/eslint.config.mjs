// The linter's rules for the page's scripts, its tests, the page's benchmark and the scripts run
// under Node; run from the top folder (scripts/check-web-scripts).
import js from "@eslint/js";
import globals from "globals";

export default [
  js.configs.recommended,
  {
    // Leaving a property out of an object by destructuring it away is how the tests copy one.
    rules: { "no-unused-vars": ["error", { ignoreRestSiblings: true }] },
  },
  {
    files: ["web/*.js"],
    languageOptions: { sourceType: "module", globals: globals.browser },
  },
  {
    // The service worker runs in its own scope, with the build's names filled in by scripts/build-web.
    files: ["web/sw.js"],
    languageOptions: {
      sourceType: "script",
      globals: { ...globals.serviceworker, __CORE_FILES__: "readonly" },
    },
  },
  {
    // Node runs these, and hands the functions they write for the page to the browser to run:
    // the page's names are theirs too.
    files: ["web/tests/*.mjs", "bench/web/*.mjs", "scripts/*.mjs"],
    languageOptions: { sourceType: "module", globals: { ...globals.node, ...globals.browser } },
  },
];
