// The program's life in its page (linked in front of the program, --pre-js):
// the files it reads, the bookmark kept in the browser's storage when it lets
// the page keep one, the start screen that the browser's rule for sound asks
// for, the place kept when the page is hidden or left, and the word at its end.
// The page's <body> names the files: data-story (the folder's name for its
// storage), data-script, data-bookmark and data-font; the program fetches the
// cues itself, from beside the page, as it plays them.
(function() {
  var page = document.body.dataset;
  var storyFolder = '/story';
  var bookmarkFolder = '/' + page.story + '-bookmark';
  var fontPath = '/fonts/ipamp.ttf';  // where gdi/web/font_matching.cpp looks
  var traced = /[?&]trace\b/.test(location.search);
  var recorded = /[?&]record\b/.test(location.search);
  // ?renderer=opengles2 (WebGL) or software: SDL_RENDER_DRIVER, as on the desktop.
  var renderer = /[?&]renderer=(\w+)/.exec(location.search);
  var storageKept = false;
  var running = false;  // between the program's start and its end
  var failed = false;
  var scriptDigest = null;
  // WebKit ends a closed tab's page before the browser's storage has committed
  // what the page began to write as it went; localStorage is written at once.
  // So the place kept as the page goes is noted there too, and the note is
  // dropped once the browser's storage holds the place: a note still there at
  // the next visit holds the newest place.
  var placeNote = 'reader-place-' + page.story;

  function show(id) {
    ['start', 'loading', 'ended', 'failed'].forEach(function(other) {
      document.getElementById(other).hidden = other !== id;
    });
  }

  function fetchBytes(url) {
    return fetch(url).then(function(response) {
      if (!response.ok) throw new Error(url + ': ' + response.status);
      return response.arrayBuffer();
    }).then(function(buffer) { return new Uint8Array(buffer); });
  }

  // FNV-1a: enough to tell one script from another.
  function digest(bytes) {
    var hash = 0x811c9dc5;
    for (var i = 0; i < bytes.length; ++i) hash = Math.imul(hash ^ bytes[i], 0x01000193) >>> 0;
    return hash.toString(16);
  }

  function exists(path) {
    return FS.analyzePath(path).exists;
  }

  function notePlace(line) {
    try { localStorage.setItem(placeNote, scriptDigest + ' ' + line); } catch (error) {}
  }

  // Drops the note; given a line, only a note of that line, so that the end of
  // an older write cannot drop the note of a newer one.
  function dropPlaceNote(line) {
    try {
      if (line === undefined || localStorage.getItem(placeNote) === scriptDigest + ' ' + line)
        localStorage.removeItem(placeNote);
    } catch (error) {}
  }

  // The line that a note left for this script holds, or null.
  function notedPlace() {
    var note = null;
    try { note = localStorage.getItem(placeNote); } catch (error) {}
    var fields = note ? note.split(' ') : [];
    return fields.length === 2 && fields[0] === scriptDigest && /^\d+$/.test(fields[1])
        ? fields[1] : null;
  }

  // The story's files go into a folder of their own; the bookmark lives in the
  // browser's storage and is linked into that folder under the name the program
  // opens. A bookmark names a line of one script, so a changed script starts it
  // again at 0, as a first visit does.
  function placeFiles(script, font) {
    FS.mkdir(storyFolder);
    FS.writeFile(storyFolder + '/' + page.script, script);
    FS.mkdir('/fonts');
    FS.writeFile(fontPath, font);
    var bookmark = bookmarkFolder + '/' + page.bookmark;
    var digestFile = bookmarkFolder + '/script-digest';
    scriptDigest = digest(script);
    var stored = exists(digestFile) ? FS.readFile(digestFile, {encoding: 'utf8'}) : null;
    if (!exists(bookmark) || stored !== scriptDigest) {
      FS.writeFile(bookmark, '0');
      FS.writeFile(digestFile, scriptDigest);
    }
    var noted = notedPlace();
    if (noted !== null) FS.writeFile(bookmark, noted);
    FS.symlink(bookmark, storyFolder + '/' + page.bookmark);
    FS.chdir(storyFolder);
  }

  // True once the browser's storage is read into the bookmark's folder; false,
  // with the folder left in memory only, when the browser refuses it (site data
  // blocked, a frame sandboxed without its origin, some private windows) or has
  // not answered within a while (some have hung on their first open).
  function loadStorage() {
    var mounted = false;
    FS.mkdir(bookmarkFolder);
    return new Promise(function(resolve) {
      setTimeout(function() { resolve(false); }, 10000);
      try {
        FS.mount(IDBFS, {}, bookmarkFolder);
        mounted = true;
        FS.syncfs(true, function(error) { resolve(!error); });
      } catch (error) {
        resolve(false);
      }
    }).then(function(kept) {
      if (!kept && mounted) FS.unmount(bookmarkFolder);
      return kept;
    });
  }

  // Puts the bookmark's file into the browser's storage in one request, made
  // before the caller returns: a page being closed runs none of its later
  // tasks, and a whole sync reads the storage before it writes.
  function storeBookmarkNow() {
    var db = IDBFS.dbs[bookmarkFolder];
    var path = bookmarkFolder + '/' + page.bookmark;
    if (!storageKept || !db) return;
    try {
      var line = FS.readFile(path, {encoding: 'utf8'});
      notePlace(line);
      var store = db.transaction([IDBFS.DB_STORE_NAME], 'readwrite').objectStore(IDBFS.DB_STORE_NAME);
      store.transaction.oncomplete = function() { dropPlaceNote(line); };
      IDBFS.loadLocalEntry(path, function(error, entry) {
        if (!error) IDBFS.storeRemoteEntry(store, path, entry, function() {});
      });
    } catch (error) {
      err('the bookmark could not be stored: ' + error);
    }
  }

  // The page hidden (another tab, the phone locked, the browser left) or left:
  // the window keeps the line on screen as a key would, and the story goes on
  // for a reader who comes back.
  function keepPlace() {
    if (running && Module['readerKeepPlace']()) storeBookmarkNow();
  }

  // Asked on the start gesture: storage that the browser may not clear on its own.
  function askToPersist() {
    if (!storageKept || !navigator.storage || !navigator.storage.persist) return;
    navigator.storage.persist().then(function(granted) { Module['readerPersisted'] = granted; },
                                     function(error) { Module['readerPersisted'] = String(error); });
  }

  function fail(error) {
    if (failed) return;
    failed = true;
    err('the story could not be loaded: ' + error);
    show('failed');
  }

  // Fetched while the program compiles: a page that cannot have its files (a
  // frame sandboxed without its origin, on a server that does not share them
  // with other origins, cannot have the program either) says so at once.
  var fetched = Promise.all([fetchBytes(page.script), fetchBytes(page.font)]);
  fetched.catch(fail);

  function loadFiles() {
    return Promise.all([fetched, loadStorage()])
      .then(function(loaded) {
        placeFiles(loaded[0][0], loaded[0][1]);
        storageKept = loaded[1];
        // The bookmark as placed, and the script's digest, are stored at once.
        if (storageKept) FS.syncfs(false, function(error) { if (!error) dropPlaceNote(); });
      });
  }

  // Sound may start only from the reader's own gesture, and some browsers take
  // only a key, a click or a finger's lift for one: the context is made and
  // let run there (then stopped until a sound plays). Outside a gesture it
  // stays stopped.
  function unlockAudio() {
    // A phone's silent switch mutes a page's sound unless it is played as media.
    if (navigator.audioSession) navigator.audioSession.type = 'playback';
    if (!Module['audioContext']) {
      var Context = window.AudioContext || window.webkitAudioContext;
      if (Context) Module['audioContext'] = new Context();
    }
    Module['readerWakeAudio']();
  }

  // The program starts on the release of the key, button or finger that was
  // pressed on the start screen, so that it is not taken for one that ends it.
  // A lifted finger's mouse events, which the browser would make next, are
  // held back: to the running program they would be a mouse move.
  function waitForStart() {
    var presses = ['keydown', 'mousedown', 'touchstart'];
    var releases = ['keyup', 'mouseup', 'touchend'];
    return new Promise(function(resolve) {
      var pressed = false;
      function press(event) {
        if (event.type === 'mousedown' && event.button !== 0) return;
        pressed = true;
        if (event.type !== 'touchstart') unlockAudio();
      }
      function release(event) {
        if (!pressed) return;
        event.preventDefault();
        unlockAudio();
        askToPersist();
        presses.forEach(function(type) { window.removeEventListener(type, press); });
        releases.forEach(function(type) { window.removeEventListener(type, release); });
        Module['canvas'].focus();  // in a frame, the keys come to the page from now on
        resolve();
      }
      presses.forEach(function(type) { window.addEventListener(type, press); });
      releases.forEach(function(type) { window.addEventListener(type, release, {passive: false}); });
    });
  }

  Module['canvas'] = document.getElementById('canvas');
  Module['preRun'] = Module['preRun'] || [];
  Module['preRun'].push(function() {
    if (traced) {
      ENV['READER_PRESENT_TRACE'] = '/present-trace';
      Module['readerSounds'] = [];
      Module['readerTrace'] = function() {
        return exists('/present-trace') ? FS.readFile('/present-trace', {encoding: 'utf8'}) : '';
      };
    }
    if (renderer) ENV['SDL_RENDER_DRIVER'] = renderer[1];
    if (recorded) {  // every frame, as the Linux build records it (tests)
      ENV['READER_FRAME_RECORD'] = '/frames.rec';
      Module['readerRecord'] = function() {
        var bytes = exists('/frames.rec') ? FS.readFile('/frames.rec') : new Uint8Array(0);
        var text = '';
        for (var at = 0; at < bytes.length; at += 0x8000)
          text += String.fromCharCode.apply(null, bytes.subarray(at, at + 0x8000));
        return btoa(text);
      };
    }
    addRunDependency('reader-files');
    addRunDependency('reader-start');
    var started = false;
    var loaded = false;
    loadFiles().then(function() {
      loaded = true;
      document.getElementById('unkept').hidden = storageKept;
      if (!started) show('start');
      removeRunDependency('reader-files');
    }, fail);
    waitForStart().then(function() {
      started = true;
      if (!failed) show(loaded ? null : 'loading');
      removeRunDependency('reader-start');
    });
  });
  // main is called right after: until the program has its window it keeps no place.
  Module['onRuntimeInitialized'] = function() {
    running = true;
    show(null);
  };
  // The end has stored its bookmark (entry/web/main.cpp): an older note would undo it.
  Module['onExit'] = function() {
    running = false;
    dropPlaceNote();
    if (Module['audioContext']) Module['audioContext'].close().catch(function() {});
    show('ended');
  };
  Module['onAbort'] = function() {
    running = false;
    show('failed');
  };
  document.addEventListener('visibilitychange', function() {
    if (document.visibilityState === 'hidden') keepPlace();
    else Module['readerWakeAudio']();
  });
  window.addEventListener('pagehide', keepPlace);
  // A later gesture lets a context that a call or a lock stopped run again.
  ['keydown', 'mousedown', 'touchend'].forEach(function(type) {
    window.addEventListener(type, function() { if (running) Module['readerWakeAudio'](); });
  });
  show('loading');
})();
