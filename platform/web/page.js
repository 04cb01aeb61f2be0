// The program's life in its page (linked in front of the program, --pre-js):
// the files it reads, the bookmark kept in the browser's storage, the start
// screen that the browser's rule for sound asks for, and the word at its end.
// The page's <body> names the files: data-story (the folder's name for its
// storage), data-script, data-bookmark and data-font; the cues are those the
// script names, looked for beside it.
(function() {
  var page = document.body.dataset;
  var storyFolder = '/story';
  var bookmarkFolder = '/' + page.story + '-bookmark';
  var fontPath = '/fonts/ipamp.ttf';  // where gdi/web/font_matching.cpp looks
  var traced = /[?&]trace\b/.test(location.search);
  var recorded = /[?&]record\b/.test(location.search);
  // ?renderer=opengles2 (WebGL) or software: SDL_RENDER_DRIVER, as on the desktop.
  var renderer = /[?&]renderer=(\w+)/.exec(location.search);

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

  // The story's files go into a folder of their own; the bookmark lives in the
  // browser's storage and is linked into that folder under the name the program
  // opens. A bookmark names a line of one script, so a changed script starts it
  // again at 0, as a first visit does.
  function placeFiles(files, font) {
    FS.mkdir(storyFolder);
    files.forEach(function(file) {
      if (file.bytes) FS.writeFile(storyFolder + '/' + file.name, file.bytes);
    });
    FS.mkdir('/fonts');
    FS.writeFile(fontPath, font);
    var bookmark = bookmarkFolder + '/' + page.bookmark;
    var scriptDigest = bookmarkFolder + '/script-digest';
    var script = digest(files[0].bytes);
    var stored = exists(scriptDigest) ? FS.readFile(scriptDigest, {encoding: 'utf8'}) : null;
    if (!exists(bookmark) || stored !== script) {
      FS.writeFile(bookmark, '0');
      FS.writeFile(scriptDigest, script);
    }
    FS.symlink(bookmark, storyFolder + '/' + page.bookmark);
    FS.chdir(storyFolder);
  }

  function loadStorage() {
    FS.mkdir(bookmarkFolder);
    FS.mount(IDBFS, {}, bookmarkFolder);
    return new Promise(function(resolve, reject) {
      FS.syncfs(true, function(error) { if (error) reject(error); else resolve(); });
    });
  }

  // The cues the script names: each token that begins with "s" plays the file
  // "sound_%c%c.wav" of its next two bytes (a Ctrl-Z ends a script read in text mode).
  function cueNames(script) {
    var names = {}, token = [];
    var end = script.indexOf(0x1A) < 0 ? script.length : script.indexOf(0x1A);
    for (var i = 0; i <= end; ++i) {
      var byte = i < end ? script[i] : 0x20;
      if (byte === 0x20 || (byte >= 0x09 && byte <= 0x0D)) {
        if (token[0] === 0x73) names['sound_' + String.fromCharCode(token[1], token[2]) + '.wav'] = true;
        token = [];
      } else {
        token.push(byte);
      }
    }
    return Object.keys(names);
  }

  // A cue that cannot be had is left out: the program plays its default sound.
  function loadCues(names) {
    return Promise.all(names.map(function(name) {
      return fetchBytes(name).then(function(bytes) { return {name: name, bytes: bytes}; },
                                   function() { return {name: name, bytes: null}; });
    }));
  }

  function loadFiles() {
    var files = fetchBytes(page.script).then(function(script) {
      return loadCues(cueNames(script)).then(function(cues) {
        return [{name: page.script, bytes: script}].concat(cues);
      });
    });
    return Promise.all([files, fetchBytes(page.font), loadStorage()])
      .then(function(loaded) { placeFiles(loaded[0], loaded[1]); });
  }

  // A browser lets sound start only from the reader's own click or key. The
  // context is made on the press and the program starts on the release, so
  // that the key which started it is not taken for a key that ends it.
  function waitForStart() {
    return new Promise(function(resolve) {
      var pressed = false;
      function press(event) {
        if (event.type === 'mousedown' && event.button !== 0) return;
        pressed = true;
        if (!Module['audioContext']) {
          var Context = window.AudioContext || window.webkitAudioContext;
          if (Context) Module['audioContext'] = new Context();
        }
        // Allowed to run from now on; it runs only while a sound plays.
        var context = Module['audioContext'];
        if (context) context.resume().then(function() { context.suspend(); });
      }
      function release(event) {
        if (!pressed) return;
        event.preventDefault();
        ['keydown', 'mousedown'].forEach(function(type) { window.removeEventListener(type, press); });
        ['keyup', 'mouseup'].forEach(function(type) { window.removeEventListener(type, release); });
        resolve();
      }
      ['keydown', 'mousedown'].forEach(function(type) { window.addEventListener(type, press); });
      ['keyup', 'mouseup'].forEach(function(type) { window.addEventListener(type, release); });
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
      if (!started) show('start');
      removeRunDependency('reader-files');
    }, function(error) {
      err('the story could not be loaded: ' + error);
      show('failed');
    });
    waitForStart().then(function() {
      started = true;
      if (loaded) show(null); else show('loading');
      removeRunDependency('reader-start');
    });
  });
  Module['onRuntimeInitialized'] = function() { show(null); };
  Module['onExit'] = function() {
    if (Module['audioContext']) Module['audioContext'].close();
    show('ended');
  };
  Module['onAbort'] = function() { show('failed'); };
  show('loading');
})();
