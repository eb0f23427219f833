onmessage = function (e) {
  try {
    var ws = new WebSocket(e.data);
    ws.onopen = function () { ws.send('secret'); postMessage('sent'); };
    ws.onerror = function () { postMessage('refused'); };
  } catch (err) { postMessage('refused: ' + err); }
};
