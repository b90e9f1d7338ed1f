// The page's side of runtime/WebHost.cpp, run before the program: one tab
// holding the player's storage, each file stored on its own, the page's full
// screen, and word to the game when the page is hidden or closed. The page
// (page.html) shows what these report: qmShowElsewhere, qmSaveTrouble,
// qmFirstFrame.

// One tab plays: the browser's lock manager where there is one (the lock is
// let go when the tab goes, however it goes), else a handshake between tabs
// on a broadcast channel: a tab asks, one that plays answers; two asking at
// once settle it by their numbers. 0 held here, 1 held elsewhere, 2 no lock.
Module.qmLockFolder = function () {
  return new Promise(function (answer) {
    if (navigator.locks && navigator.locks.request) {
      navigator.locks.request('quillmere-player-files', { ifAvailable: true }, function (lock) {
        answer(lock ? 0 : 1);
        return lock ? new Promise(function () {}) : undefined;  // held while the page lives
      }).catch(function () { answer(2); });
      return;
    }
    if (typeof BroadcastChannel === 'undefined') { answer(2); return; }
    var channel = new BroadcastChannel('quillmere-player-files');
    var me = Math.random(), holder = false, lost = false;
    channel.onmessage = function (m) {
      if (m.data.playing) lost = true;
      else if (holder) channel.postMessage({ playing: true });
      else if (m.data.asking < me) lost = true;
    };
    channel.postMessage({ asking: me });
    setTimeout(function () {
      if (lost) channel.close();
      else holder = true;
      answer(lost ? 1 : 0);
    }, 300);
  });
};

// One file (or folder) of the mounted working folder into the database, or
// out of it when it is gone; nothing else is touched, so a file another
// writer stored stays. Resolves 1 when stored, 0 when not (and the page says
// so until a later store succeeds).
Module.qmStoreFile = function (path) {
  return new Promise(function (done) {
    var fail = function (why) {
      if (Module.qmSaveTrouble) Module.qmSaveTrouble(path.replace(/^.*\//, ''), String(why && why.message || why));
      done(0);
    };
    var entry = null;
    try {
      var stat = FS.stat(path);
      entry = FS.isDir(stat.mode) ? { timestamp: stat.mtime, mode: stat.mode }
        : { timestamp: stat.mtime, mode: stat.mode, contents: MEMFS.getFileDataAsTypedArray(FS.lookupPath(path).node) };
    } catch (e) { /* removed: dropped from the database too */ }
    IDBFS.getDB('/save', function (error, db) {
      if (error) return fail(error);
      try {
        var writing = db.transaction([IDBFS.DB_STORE_NAME], 'readwrite');
        writing.oncomplete = function () {
          if (Module.qmSaveTrouble) Module.qmSaveTrouble('', '');
          done(1);
        };
        writing.onabort = function () { fail(writing.error || 'the write was stopped'); };
        var store = writing.objectStore(IDBFS.DB_STORE_NAME);
        if (entry) store.put(entry, path);
        else store.delete(path);
        // Committed now, not when the page next has a turn: a closing page
        // has none.
        if (writing.commit) writing.commit();
      } catch (e) { fail(e); }
    });
  });
};

// Full screen is the whole page's (the canvas keeps its place in it). The
// state asked for stands until the browser answers with a change or a refusal.
(function () {
  var asked = null;
  var settle = function () { asked = null; };
  document.addEventListener('fullscreenchange', settle);
  document.addEventListener('fullscreenerror', settle);
  Module.qmFullscreen = function () { return asked !== null ? asked : !!document.fullscreenElement; };
  Module.qmRequestFullscreen = function (on) {
    if (on === !!document.fullscreenElement || !document.fullscreenEnabled) return;
    asked = on;
    var answer = on ? document.documentElement.requestFullscreen({ navigationUI: 'hide' }) : document.exitFullscreen();
    if (answer && answer.catch) answer.catch(settle);
  };
})();

// Hidden (another tab, the phone locked) or closed: the game keeps its
// options now, since it may get no other turn.
(function () {
  var tell = function () { if (Module._qmPageHidden) Module._qmPageHidden(); };
  document.addEventListener('visibilitychange', function () { if (document.visibilityState === 'hidden') tell(); });
  window.addEventListener('pagehide', tell);
})();
