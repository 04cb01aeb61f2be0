// The Linux layer's calls into the browser, for its web build: rests, sounds and
// the storage of files. Each call that waits unwinds the program with ASYNCIFY
// and gives the thread back to the browser until it winds it back.

mergeInto(LibraryManager.library, {
  $Reader__postset: "Module['readerWakeAudio'] = function() { Reader.wakeAudio(); };" +
                    "Module['readerKeepPlace'] = function() { return Reader.keepPlace(); };",
  $Reader: {
    wake: null,        // ends the rest in progress
    channel: null,     // messages to oneself: the quickest way back to the browser
    posted: [],        // what they call, in order
    // Past this fraction of a millisecond a sleep's timer runs to the next whole
    // one rather than spin (reader_rest): it ends up to 0.2 ms late.
    spinUpTo: 0.8,
    image: null,       // the window's surface as an ImageData over the program's memory
    sound: null,       // the AudioBufferSourceNode playing or about to
    // Plays planar float samples through the page's context (made at the reader's
    // first click or key) and calls ended(true) at their end; false without a
    // context. The context runs only while a sound plays: a running one renders
    // silence all the time, at a few per cent of a core.
    playSound: function(samples, frames, channels, rate, ended) {
      var context = Module['audioContext'];
      if (!context || context.state === 'closed') return false;
      Reader.stopSound();
      var buffer = context.createBuffer(channels, frames, rate);
      for (var channel = 0; channel < channels; ++channel) {
        var start = (samples >> 2) + channel * frames;
        buffer.copyToChannel(HEAPF32.subarray(start, start + frames), channel);
      }
      var source = context.createBufferSource();
      source.buffer = buffer;
      source.connect(context.destination);
      Reader.sound = source;
      var entry = Module['readerSounds'] ? {started: null, seconds: buffer.duration, ended: null} : {};
      if (Module['readerSounds']) Module['readerSounds'].push(entry);
      function stopContextWhenSilent() {
        if (Reader.sound === source) Reader.sound = null;
        Reader.suspendIfSilent();
      }
      source.addEventListener('ended', function() {
        entry.ended = performance.now();
        stopContextWhenSilent();
        ended(true);
      });
      // Refused (a context a call or a lock interrupted): the guard ends the wait.
      context.resume().then(function() {
        if (Reader.sound !== source) return stopContextWhenSilent();  // stopped before it began
        source.start();
        source.playing = true;
        entry.started = performance.now();
      }, function() {});
      return true;
    },
    suspendIfSilent: function() {
      var context = Module['audioContext'];
      if (!Reader.sound && context && context.state === 'running') context.suspend().catch(function() {});
    },
    // From a reader's gesture or the page's return: some browsers let a context
    // that a call, a lock or a hidden page stopped run again only from a gesture.
    // Stopped again at once unless a sound is waiting for it.
    wakeAudio: function() {
      var context = Module['audioContext'];
      if (context && context.state !== 'closed') context.resume().then(Reader.suspendIfSilent, function() {});
    },
    missing: {},       // files the server did not have, by name
    calledFromPage: false,
    // The page's call into the program, which is asleep, between two of its steps
    // (entry/web/main.cpp): 1 when the window kept the place. Nothing in it may
    // wait, so fd_sync leaves the storage to the page meanwhile.
    keepPlace: function() {
      Reader.calledFromPage = true;
      try {
        return Module['_reader_keep_place']();
      } finally {
        Reader.calledFromPage = false;
      }
    },
    stopSound: function() {
      var source = Reader.sound;
      Reader.sound = null;
      if (source && source.playing) source.stop();
    },
  },

  // Unwinds the program until start's callback is called. The runtime is kept
  // alive meanwhile (an unwound main has returned, as far as it knows), and the
  // program wound back runs as the runtime's own callbacks do, where an exit ends
  // it. A callback made at once, before the program has unwound, just returns to
  // it: there the runtime must not take the program for finished.
  $readerSleep__deps: ['$runtimeKeepalivePush', '$runtimeKeepalivePop', '$callUserCallback'],
  $readerSleep: function(start) {
    return Asyncify.handleSleep(function(wakeUp) {
      var unwound = false;
      runtimeKeepalivePush();
      start(function(value) {
        runtimeKeepalivePop();
        if (unwound) callUserCallback(function() { wakeUp(value); }); else wakeUp(value);
      });
      unwound = true;
    });
  },

  // Sleeps on the browser's timers to within a millisecond of the end, then on
  // messages to itself, which come back at once, for the last fraction: a timer
  // asks for whole milliseconds. Where the fraction is most of one, the timer is
  // let run to the next whole one instead: ending that little late costs the
  // waits less than spinning the fraction through costs the processor. The program is
  // wound back from a message too: a timer set from inside a timer's callback,
  // as the program's next sleep would be, counts as nested, and a browser makes
  // nested timers of under 4 ms wait 4.
  reader_rest__deps: ['$Reader', '$readerSleep', '$readerPost'],
  reader_rest: function(endMs) {
    return readerSleep(function(wakeUp) {
      var timer = null;
      var done = false;
      function finish() {
        if (done) return;
        done = true;
        clearTimeout(timer);
        Reader.wake = null;
        readerPost(wakeUp);
      }
      function check() {
        if (done) return;
        var left = endMs - performance.now();
        if (left <= 0) finish();
        else if (left - Math.floor(left) > Reader.spinUpTo) timer = setTimeout(check, Math.ceil(left));
        else if (left >= 1) timer = setTimeout(check, Math.floor(left));
        else readerPost(check);
      }
      // Woken from inside an event handler: go on once the handler has returned.
      Reader.wake = function() { Promise.resolve().then(finish); };
      check();
    });
  },

  // Calls back from a task of its own, soon after the browser's pending tasks.
  $readerPost__deps: ['$Reader'],
  $readerPost: function(callback) {
    if (!Reader.channel) {
      Reader.channel = new MessageChannel();
      Reader.channel.port1.onmessage = function() {
        var next = Reader.posted.shift();
        if (next) next();
      };
    }
    Reader.posted.push(callback);
    Reader.channel.port2.postMessage(0);
  },

  // Puts a rectangle of the window's surface (opaque RGBA bytes, a row after
  // another) into the canvas, read where it lies in the program's memory.
  reader_show_rect__deps: ['$Reader'],
  reader_show_rect: function(pixels, width, height, x, y, w, h) {
    var image = Reader.image;
    if (!image || image.data.buffer !== HEAPU8.buffer || image.pixels !== pixels ||
        image.width !== width || image.height !== height) {
      image = Reader.image = new ImageData(
          new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
      image.pixels = pixels;
    }
    Module['canvas'].getContext('2d').putImageData(image, 0, 0, x, y, w, h);
  },

  reader_wake_rest__deps: ['$Reader'],
  reader_wake_rest: function() {
    if (Reader.wake) Reader.wake();
  },

  reader_yield__deps: ['$readerSleep', '$readerPost'],
  reader_yield: function() {
    return readerSleep(function(wakeUp) { readerPost(wakeUp); });
  },

  // 1 once the browser reports the sound's end; 0 at once without a context, or
  // when the end has not come two seconds after it was due.
  reader_play_sound__deps: ['$Reader', '$readerSleep'],
  reader_play_sound: function(samples, frames, channels, rate) {
    return readerSleep(function(wakeUp) {
      var guard = null;
      function finish(result) {
        if (guard === null) return;
        clearTimeout(guard);
        guard = null;
        wakeUp(result);
      }
      if (!Reader.playSound(samples, frames, channels, rate, function() { finish(1); })) {
        wakeUp(0);
        return;
      }
      guard = setTimeout(function() {
        Reader.stopSound();
        finish(0);
      }, frames / rate * 1000 + 2000);
    });
  },

  reader_start_sound__deps: ['$Reader'],
  reader_start_sound: function(samples, frames, channels, rate) {
    return Reader.playSound(samples, frames, channels, rate, function() {}) ? 1 : 0;
  },

  reader_stop_sound__deps: ['$Reader'],
  reader_stop_sound: function() {
    Reader.stopSound();
  },

  // The context is the page's, made at its start screen; what plays stops.
  reader_close_audio__deps: ['$Reader'],
  reader_close_audio: function() {
    Reader.stopSound();
  },

  // Fetches a file named by a path relative to the page into the same path of the
  // current directory; 1 once it is there, 0 when the server has none.
  reader_fetch_file__deps: ['$Reader', '$readerSleep', '$FS', '$PATH'],
  reader_fetch_file: function(name) {
    var path = UTF8ToString(name);
    if (Reader.missing[path]) return 0;
    return readerSleep(function(wakeUp) {
      fetch(encodeURI(path)).then(function(response) {
        if (!response.ok) throw new Error(response.status);
        return response.arrayBuffer();
      }).then(function(buffer) {
        var folder = PATH.dirname(path);
        if (folder !== '.') FS.mkdirTree(PATH.join2(FS.cwd(), folder));
        FS.writeFile(path, new Uint8Array(buffer));
        wakeUp(1);
      }).catch(function() {
        Reader.missing[path] = true;
        wakeUp(0);
      });
    });
  },

  // fsync: a file in the browser's storage (IDBFS) is written to it while the
  // program waits, as emscripten's own does; called from the page (keepPlace), at
  // once.
  fd_sync__deps: ['$Reader', '$SYSCALLS'],
  fd_sync: function(fd) {
    var mount = SYSCALLS.getStreamFromFD(fd).node.mount;
    if (Reader.calledFromPage || !mount.type.syncfs) return 0;
    return Asyncify.handleSleep(function(wakeUp) {
      mount.type.syncfs(mount, false, function(error) { wakeUp(error ? 29 : 0); });  // EIO
    });
  },

  // Writes the file system's persistent folders (IDBFS) to the browser's storage.
  reader_sync_storage__deps: ['$FS', '$readerSleep'],
  reader_sync_storage: function() {
    return readerSleep(function(wakeUp) {
      FS.syncfs(false, function(error) {
        if (error) err('the bookmark could not be stored: ' + error);
        wakeUp();
      });
    });
  },
});
