// Shared part of the two map pages: the track, marker and compass the player
// sends, drawn by the map service once its library is loaded and, until then
// or when it never loads (offline, blocked, no key), on a plain canvas, so the
// route's shape is always visible. The page functions never throw.
(function () {
    'use strict';

    var TRACK_COLOR = '#3ea6ff';
    var LIBRARY_TIMEOUT_MS = 10000;

    var state = {
        service: '',
        library: 'loading', // loading, ready, failed, nokey
        mode: 'canvas', // canvas or tiles
        track: [], // {lat, lng}
        marker: null, // {lat, lng}
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

    function point(lat, lng) {
        lat = Number(lat);
        lng = Number(lng);
        if (!isFinite(lat) || !isFinite(lng) || Math.abs(lat) > 90 || Math.abs(lng) > 180)
            return null;
        return { lat: lat, lng: lng };
    }

    function fallBack(reason) {
        state.library = reason;
        state.mode = 'canvas';
        tiles = null;
        document.body.className = '';
        drawCanvas();
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
                try {
                    tiles = ready();
                    state.library = 'ready';
                    state.mode = 'tiles';
                    document.body.className = 'tiles';
                    if (state.track.length)
                        tiles.showTrack(state.track);
                    if (state.marker)
                        tiles.showMarker(state.marker);
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

        snapshot: function () {
            return JSON.parse(JSON.stringify(state));
        },

        start: function (service, key, url, callbackName, ready) {
            state.service = service;
            canvas = document.getElementById('track');
            compass = document.getElementById('compass');
            drawCompassRose();
            showCompass();
            drawCanvas();
            window.addEventListener('resize', drawCanvas);
            if (typeof QWebChannel === 'function' && window.qt && qt.webChannelTransport) {
                new QWebChannel(qt.webChannelTransport, function (channel) {
                    state.bridge = !!channel.objects.myObject;
                });
            }
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
