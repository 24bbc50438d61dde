// Shared part of the map pages: the track, marker and compass the player
// sends, drawn by the map service once its library is loaded and, until then
// or when it never loads (offline, blocked, no key), on a plain canvas, so the
// route's shape is always visible. A click on the route asks the player to
// play from that point's second. The page functions never throw.
(function () {
    'use strict';

    var TRACK_COLOR = '#3ea6ff';
    var PLAYED_COLOR = '#ff9f1c';
    // A key that does not work must not keep the user waiting: the canvas or
    // another map takes over well within 5 s.
    var LIBRARY_TIMEOUT_MS = 4500;
    // How near to a route point (in CSS pixels) a click must land to seek.
    var PICK_RADIUS = 16;

    var state = {
        service: '',
        library: 'loading', // loading, ready, failed, refused, nokey
        mode: 'canvas', // canvas or tiles
        track: [], // {lat, lng}
        seconds: [], // the recording's second of each track point
        played: -1, // index of the last track point already played
        marker: null, // {lat, lng}
        notice: '',
        online: true,
        tilesLoaded: 0,
        tileErrors: 0,
        seeks: [], // seconds the page asked the player to seek to
        compass: 0,
        trackCalls: 0,
        markerCalls: 0,
        compassCalls: 0,
        rejected: 0, // points or calls refused as unusable
        bridge: false // the player's "myObject" is on the web channel
    };
    var tiles = null; // the service's drawing, once its library is ready
    var canvas = null;
    var compass = null;
    var bridge = null; // the player's "myObject"
    var toCanvasScreen = null; // the canvas drawing's projection, once drawn

    function point(lat, lng) {
        lat = Number(lat);
        lng = Number(lng);
        if (!isFinite(lat) || !isFinite(lng) || Math.abs(lat) > 90 || Math.abs(lng) > 180)
            return null;
        return { lat: lat, lng: lng };
    }

    function tellLibrary() {
        if (bridge && bridge.setLibraryState)
            bridge.setLibraryState(state.library);
    }

    function fallBack(reason) {
        state.library = reason;
        state.mode = 'canvas';
        tiles = null;
        document.body.className = '';
        drawCanvas();
        tellLibrary();
    }

    function useTiles(ready) {
        tiles = ready();
        state.library = 'ready';
        state.mode = 'tiles';
        document.body.className = 'tiles';
        if (state.track.length)
            tiles.showTrack(state.track);
        if (state.played >= 0 && tiles.showPlayed)
            tiles.showPlayed(state.played, state.track);
        if (state.marker)
            tiles.showMarker(state.marker);
        tellLibrary();
    }

    // Runs a call into the map library; a library that throws loses its tiles
    // rather than the page its functions.
    function withTiles(call) {
        if (!tiles)
            return;
        try {
            call(tiles);
        } catch (e) {
            fallBack('failed');
        }
    }

    // Web Mercator, in units of the world's width.
    function project(p) {
        var s = Math.sin(p.lat * Math.PI / 180);
        s = Math.min(Math.max(s, -0.9999), 0.9999);
        return { x: (p.lng + 180) / 360, y: 0.5 - Math.log((1 + s) / (1 - s)) / (4 * Math.PI) };
    }

    function drawCanvas() {
        if (!canvas || state.mode !== 'canvas')
            return;
        var ratio = window.devicePixelRatio || 1;
        var width = canvas.clientWidth, height = canvas.clientHeight;
        if (canvas.width !== Math.round(width * ratio) || canvas.height !== Math.round(height * ratio)) {
            canvas.width = Math.round(width * ratio);
            canvas.height = Math.round(height * ratio);
        }
        var g = canvas.getContext('2d');
        g.setTransform(ratio, 0, 0, ratio, 0, 0);
        toCanvasScreen = null;
        g.fillStyle = 'rgb(22, 29, 37)';
        g.fillRect(0, 0, width, height);

        g.strokeStyle = 'rgba(255, 255, 255, 0.05)';
        g.lineWidth = 1;
        for (var gx = 0.5; gx < width; gx += 32) {
            g.beginPath(); g.moveTo(gx, 0); g.lineTo(gx, height); g.stroke();
        }
        for (var gy = 0.5; gy < height; gy += 32) {
            g.beginPath(); g.moveTo(0, gy); g.lineTo(width, gy); g.stroke();
        }

        var all = state.track.map(project);
        var marker = state.marker ? project(state.marker) : null;
        var bounds = marker ? all.concat([marker]) : all;
        if (!bounds.length)
            return;
        var minX = Infinity, maxX = -Infinity, minY = Infinity, maxY = -Infinity;
        bounds.forEach(function (q) {
            minX = Math.min(minX, q.x); maxX = Math.max(maxX, q.x);
            minY = Math.min(minY, q.y); maxY = Math.max(maxY, q.y);
        });
        // At least about 300 m across, so one point or a parked car still sits
        // in a sensible frame.
        var span = Math.max(maxX - minX, maxY - minY, 300 / 40075016);
        var margin = 28;
        var scale = Math.min(width - 2 * margin, height - 2 * margin) / span;
        if (!(scale > 0))
            return;
        var cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
        function toScreen(q) {
            return { x: width / 2 + (q.x - cx) * scale, y: height / 2 + (q.y - cy) * scale };
        }
        toCanvasScreen = function (p) { return toScreen(project(p)); };

        if (all.length) {
            var screen = all.map(toScreen);
            g.lineJoin = 'round';
            g.lineCap = 'round';
            g.strokeStyle = 'rgba(62, 166, 255, 0.25)';
            g.lineWidth = 8;
            g.beginPath();
            screen.forEach(function (s, i) { if (i) g.lineTo(s.x, s.y); else g.moveTo(s.x, s.y); });
            g.stroke();
            g.strokeStyle = TRACK_COLOR;
            g.lineWidth = 3;
            g.stroke();
            if (state.played > 0) {
                g.strokeStyle = PLAYED_COLOR;
                g.beginPath();
                screen.slice(0, state.played + 1).forEach(function (s, i) {
                    if (i) g.lineTo(s.x, s.y); else g.moveTo(s.x, s.y);
                });
                g.stroke();
            }
            dot(g, screen[0], 5, '#2ecc71');
            dot(g, screen[screen.length - 1], 5, '#e74c3c');
        }
        if (marker) {
            var m = toScreen(marker);
            dot(g, m, 12, 'rgba(255, 159, 28, 0.3)');
            dot(g, m, 7, '#ff9f1c', '#ffffff');
        }
        drawScale(g, Math.asin(Math.tanh(2 * Math.PI * (0.5 - cy))), scale, height);
    }

    // Without tiles a scale bar is all that tells a car park from a motorway.
    function drawScale(g, latRad, scale, height) {
        var metresPerPixel = 40075016 * Math.cos(latRad) / scale;
        if (!(metresPerPixel > 0))
            return;
        var metres = 1;
        while (metres * 10 / metresPerPixel <= 90)
            metres *= 10;
        if (metres * 5 / metresPerPixel <= 90)
            metres *= 5;
        else if (metres * 2 / metresPerPixel <= 90)
            metres *= 2;
        var length = metres / metresPerPixel;
        var x = 12, y = height - 14;
        g.strokeStyle = 'rgba(250, 250, 250, 0.6)';
        g.lineWidth = 2;
        g.beginPath();
        g.moveTo(x, y - 5); g.lineTo(x, y); g.lineTo(x + length, y); g.lineTo(x + length, y - 5);
        g.stroke();
        g.fillStyle = 'rgba(250, 250, 250, 0.7)';
        g.font = '11px sans-serif';
        g.textAlign = 'left';
        g.textBaseline = 'bottom';
        g.fillText(metres >= 1000 ? (metres / 1000) + ' km' : metres + ' m', x + 4, y - 3);
    }

    function dot(g, at, radius, fill, stroke) {
        g.beginPath();
        g.arc(at.x, at.y, radius, 0, 2 * Math.PI);
        g.fillStyle = fill;
        g.fill();
        if (stroke) {
            g.lineWidth = 2;
            g.strokeStyle = stroke;
            g.stroke();
        }
    }

    function drawCompassRose() {
        var ratio = window.devicePixelRatio || 1;
        var size = 64;
        compass.width = size * ratio;
        compass.height = size * ratio;
        var g = compass.getContext('2d');
        g.setTransform(ratio, 0, 0, ratio, 0, 0);
        var c = size / 2;
        g.beginPath();
        g.arc(c, c, c - 2, 0, 2 * Math.PI);
        g.fillStyle = 'rgba(22, 29, 37, 0.75)';
        g.fill();
        g.lineWidth = 2;
        g.strokeStyle = 'rgba(250, 250, 250, 0.6)';
        g.stroke();
        function needle(tipY, colour) {
            g.beginPath();
            g.moveTo(c, tipY);
            g.lineTo(c - 6, c);
            g.lineTo(c + 6, c);
            g.closePath();
            g.fillStyle = colour;
            g.fill();
        }
        needle(12, '#e74c3c');
        needle(size - 12, 'rgba(250, 250, 250, 0.85)');
        g.fillStyle = '#ffffff';
        g.font = 'bold 10px sans-serif';
        g.textAlign = 'center';
        g.textBaseline = 'top';
        g.fillText('N', c, 1);
    }

    function showCompass() {
        if (compass)
            compass.style.transform = 'rotate(' + state.compass + 'deg)';
    }

    // Index of the last track point at or before a second, -1 before the first.
    function playedIndex(second) {
        var lo = 0, hi = state.seconds.length - 1, found = -1;
        while (lo <= hi) {
            var mid = (lo + hi) >> 1;
            if (state.seconds[mid] <= second) {
                found = mid;
                lo = mid + 1;
            } else {
                hi = mid - 1;
            }
        }
        return found;
    }

    function screenPoint(index) {
        var p = state.track[index];
        if (!p)
            return null;
        if (state.mode === 'tiles' && tiles && tiles.toScreen) {
            try {
                return tiles.toScreen(p);
            } catch (e) {
                return null;
            }
        }
        return toCanvasScreen ? toCanvasScreen(p) : null;
    }

    // The second of the route point nearest to a click, -1 when none is near.
    function pick(x, y) {
        var best = -1, bestDistance = PICK_RADIUS * PICK_RADIUS;
        for (var i = 0; i < state.track.length; i++) {
            var q = screenPoint(i);
            if (!q)
                continue;
            var d = (q.x - x) * (q.x - x) + (q.y - y) * (q.y - y);
            if (d <= bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        if (best < 0 || state.seconds.length !== state.track.length)
            return -1;
        return state.seconds[best];
    }

    function listenForClicks() {
        var down = null;
        document.addEventListener('mousedown', function (e) {
            down = { x: e.clientX, y: e.clientY };
        }, true);
        document.addEventListener('click', function (e) {
            // A drag of the map is not a click on the route.
            if (!down || Math.abs(e.clientX - down.x) > 4 || Math.abs(e.clientY - down.y) > 4)
                return;
            var second = pick(e.clientX, e.clientY);
            if (second >= 0)
                requestSeek(second);
        }, true);
    }

    // The player checks the second; the page only passes it on.
    function requestSeek(second) {
        state.seeks.push(second);
        if (bridge && bridge.seekTo)
            bridge.seekTo(second);
    }

    var api = {
        state: state,

        // Replaces the track by the usable points of pairs [lat, lng]; returns
        // how many were kept. Anything but an array changes nothing.
        setTrack: function (pairs) {
            if (!Array.isArray(pairs)) {
                state.rejected++;
                return 0;
            }
            var track = [];
            pairs.forEach(function (pair) {
                var p = Array.isArray(pair) ? point(pair[0], pair[1]) : null;
                if (p)
                    track.push(p);
                else
                    state.rejected++;
            });
            state.track = track;
            state.seconds = [];
            state.played = -1;
            state.trackCalls++;
            withTiles(function (t) { t.showTrack(track); });
            drawCanvas();
            return track.length;
        },

        // Moves the marker; an unusable position leaves it where it was.
        setMarker: function (lat, lng) {
            var p = point(lat, lng);
            if (!p) {
                state.rejected++;
                return false;
            }
            state.marker = p;
            state.markerCalls++;
            withTiles(function (t) { t.showMarker(p); });
            drawCanvas();
            return true;
        },

        // The recording's second of each track point, in track order; a list
        // that does not match the track is refused.
        setTrackSeconds: function (seconds) {
            if (!Array.isArray(seconds) || seconds.length !== state.track.length
                || !seconds.every(function (s) { return typeof s === 'number' && isFinite(s); })) {
                state.rejected++;
                return false;
            }
            state.seconds = seconds.slice();
            return true;
        },

        // Colours the route up to the playing second.
        setPlayedSecond: function (second) {
            var s = Number(second);
            if (!isFinite(s))
                return -1;
            var index = playedIndex(s);
            if (index === state.played)
                return index;
            state.played = index;
            withTiles(function (t) {
                if (t.showPlayed)
                    t.showPlayed(index, state.track);
            });
            drawCanvas();
            return index;
        },

        setNotice: function (text) {
            state.notice = String(text || '');
            var box = document.getElementById('notice');
            if (box) {
                box.textContent = state.notice;
                box.style.display = state.notice ? 'block' : 'none';
            }
        },

        // The player's probe found the network gone or back; tiles that
        // failed meanwhile are asked for again.
        setOnline: function (online) {
            state.online = !!online;
            if (state.online)
                withTiles(function (t) {
                    if (t.refresh)
                        t.refresh();
                });
        },

        tileLoaded: function () {
            state.tilesLoaded++;
        },

        tileFailed: function () {
            state.tileErrors++;
            if (bridge && bridge.reportTilesFailed)
                bridge.reportTilesFailed();
        },

        screenPoint: screenPoint,
        pick: pick,
        requestSeek: requestSeek,

        setCompass: function (angle) {
            var a = Number(angle);
            if (!isFinite(a)) {
                state.rejected++;
                return false;
            }
            state.compass = a;
            state.compassCalls++;
            showCompass();
            return true;
        },

        // Loads the service's library after the page itself has loaded, so the
        // player never waits for the network. ready() builds the tiles drawing
        // ({showTrack, showMarker}); until it runs the canvas draws.
        loadLibrary: function (src, callbackName, ready) {
            var done = false;
            var timer = 0;
            window[callbackName] = function () {
                done = true;
                clearTimeout(timer);
                // The service may have refused the key before its library
                // finished loading.
                if (state.library === 'refused')
                    return;
                try {
                    useTiles(ready);
                } catch (e) {
                    fallBack('failed');
                }
            };
            function start() {
                var script = document.createElement('script');
                script.src = src;
                script.async = true;
                script.onerror = function () {
                    if (!done)
                        fallBack('failed');
                    done = true;
                    clearTimeout(timer);
                };
                timer = setTimeout(function () {
                    if (!done)
                        fallBack('failed');
                }, LIBRARY_TIMEOUT_MS);
                document.head.appendChild(script);
            }
            if (document.readyState === 'complete')
                setTimeout(start, 0);
            else
                window.addEventListener('load', function () { setTimeout(start, 0); });
        },

        // The service turned the key down after its library loaded.
        fallBack: fallBack,

        // Defines the player's three calls. pointOf turns one position in the
        // page's argument form into [lat, lng], or null when it holds none.
        definePlayerCalls: function (pointOf) {
            window.updateMarkerPosition = function (position) {
                var p = pointOf(position);
                return p ? api.setMarker(p[0], p[1]) : api.setMarker(NaN, NaN);
            };
            window.drawPolyLinePath = function (path) {
                return api.setTrack(Array.isArray(path) ? path.map(pointOf) : null);
            };
            window.setCompassAngle = function (angle) {
                return api.setCompass(angle);
            };
        },

        // The [longitude, latitude] form of every map but Google.
        lonLatPoint: function (p) {
            return Array.isArray(p) ? [p[1], p[0]] : null;
        },

        snapshot: function () {
            return JSON.parse(JSON.stringify(state));
        },

        // Sets up the page; a key and a library address load a service's
        // library from the network, none draws on the canvas.
        begin: function (service) {
            state.service = service;
            canvas = document.getElementById('track');
            compass = document.getElementById('compass');
            drawCompassRose();
            showCompass();
            drawCanvas();
            listenForClicks();
            window.addEventListener('resize', drawCanvas);
            if (typeof QWebChannel === 'function' && window.qt && qt.webChannelTransport) {
                new QWebChannel(qt.webChannelTransport, function (channel) {
                    bridge = channel.objects.myObject || null;
                    state.bridge = !!bridge;
                    tellLibrary();
                });
            }
        },

        // A library shipped with the page: its drawing starts at once.
        startLocal: function (service, ready) {
            api.begin(service);
            try {
                useTiles(ready);
            } catch (e) {
                fallBack('failed');
            }
        },

        start: function (service, key, url, callbackName, ready) {
            api.begin(service);
            key = String(key || '').trim();
            if (!key) {
                state.library = 'nokey';
                return;
            }
            api.loadLibrary(url + encodeURIComponent(key) + '&callback=' + callbackName, callbackName, ready);
        }
    };

    window.KelmoraMap = api;
})();
