function send(url, reply) {
  try {
    var ws = new WebSocket(url);
    ws.onopen = function () { ws.send('secret'); reply('sent'); };
    ws.onerror = function () { reply('refused'); };
  } catch (err) { reply('refused: ' + err); }
}
onmessage = function (e) { send(e.data, postMessage); };
onconnect = function (e) {
  var port = e.ports[0];
  port.onmessage = function (m) { send(m.data, function (r) { port.postMessage(r); }); };
};
