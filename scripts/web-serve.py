#!/usr/bin/env python3
"""Serves the browser version's folder on 127.0.0.1 as a static host should:
a file's compressed copy (FILE.br, else FILE.gz) to a browser that takes it,
with Content-Encoding; every answer with Cache-Control: no-cache and an ETag,
so a browser keeps the files and asks only whether they changed (the names
stay the same from build to build; the offline copy is the service worker's).

Usage: scripts/web-serve.py FOLDER [PORT]   (PORT 0 picks a free one)
Prints "serving http://127.0.0.1:PORT/", then one line per answer:
"METHOD PATH STATUS BYTES" (BYTES as sent, the body after compression).
"""
import http.server
import os
import sys

TYPES = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
         '.data': 'application/octet-stream', '.png': 'image/png', '.webmanifest': 'application/manifest+json'}


class Handler(http.server.BaseHTTPRequestHandler):
    folder = '.'
    protocol_version = 'HTTP/1.1'

    def do_HEAD(self):
        self.answer(send_body=False)

    def do_GET(self):
        self.answer(send_body=True)

    def answer(self, send_body):
        name = self.path.split('?', 1)[0].split('#', 1)[0]
        name = 'index.html' if name.endswith('/') else name.lstrip('/')
        path = os.path.realpath(os.path.join(self.folder, name))
        if not path.startswith(os.path.realpath(self.folder) + os.sep) or not os.path.isfile(path):
            return self.finish_answer(404, {}, b'', send_body)
        accepted = [e.strip().split(';')[0] for e in self.headers.get('Accept-Encoding', '').split(',')]
        sent, encoding = path, None
        for enc, suffix in (('br', '.br'), ('gzip', '.gz')):
            if enc in accepted and os.path.isfile(path + suffix):
                sent, encoding = path + suffix, enc
                break
        stat = os.stat(sent)
        etag = '"%x-%x-%s"' % (stat.st_mtime_ns, stat.st_size, encoding or 'id')
        headers = {'Content-Type': TYPES.get(os.path.splitext(path)[1], 'application/octet-stream'),
                   'Cache-Control': 'no-cache', 'ETag': etag, 'Vary': 'Accept-Encoding'}
        if encoding:
            headers['Content-Encoding'] = encoding
        if self.headers.get('If-None-Match') == etag:
            return self.finish_answer(304, headers, b'', send_body)
        with open(sent, 'rb') as f:
            self.finish_answer(200, headers, f.read(), send_body)

    def finish_answer(self, status, headers, body, send_body):
        self.send_response(status)
        for key, value in headers.items():
            self.send_header(key, value)
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        if send_body:
            self.wfile.write(body)
        print(f'{self.command} {self.path} {status} {len(body) if send_body else 0}', flush=True)

    def log_message(self, *args):
        pass  # the answer lines above say it all


def main(argv):
    if not argv or len(argv) > 2:
        sys.exit(__doc__)
    Handler.folder = argv[0]
    server = http.server.ThreadingHTTPServer(('127.0.0.1', int(argv[1]) if len(argv) > 1 else 8800), Handler)
    print(f'serving http://127.0.0.1:{server.server_address[1]}/', flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == '__main__':
    main(sys.argv[1:])
