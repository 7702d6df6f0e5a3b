// Emscripten gives a program under Node an environment of its own; the
// engine's tests read their settings (DOMARIUM_MODEL_EVENTS) from Node's.
Module.preRun = Module.preRun || [];
Module.preRun.push(() => {
  for (const name of ["DOMARIUM_MODEL_EVENTS"]) {
    if (process.env[name] !== undefined) ENV[name] = process.env[name];
  }
});
