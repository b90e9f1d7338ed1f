#!/usr/bin/env python3
"""Finishes the browser version's folder after the program is linked: the
pictures the page shows before the program runs (the splash, the icon), the
web app manifest, the service worker that keeps an offline copy (its cache
named after this build, so a new version replaces the old one whole), and a
compressed copy of every file worth it (.gz always, .br when the brotli
program is installed), which scripts/web-serve.py hands to browsers that
take them.

Usage: scripts/web-site.py SITE GAME_DIR ICON [--dist DIR]
  ICON        the game's icon at 256 pixels (the home screen's).
  --dist DIR  also copies the finished folder to DIR, ready for a static host.
"""
import gzip
import hashlib
import json
import os
import shutil
import subprocess
import sys

# What the page loads, in the order the service worker keeps it.
PAGE_FILES = ['index.html', 'index.js', 'index.wasm', 'index.data', 'logo.png', 'icon.png',
              'manifest.webmanifest']
COMPRESSED = ('.html', '.js', '.wasm', '.data', '.webmanifest')

SERVICE_WORKER = '''// Quillmere's offline copy: every file of this build, kept under a name
// made from the build, so a new build's files replace the old ones whole.
const CACHE = 'quillmere-%(build)s';
const FILES = %(files)s;

self.addEventListener('install', (event) => {
  // Fetched as the server has them: the page has usually just revalidated
  // them, so they come from the browser's own cache.
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('quillmere-') && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The kept copy first (the address's query, such as ?log, aside); the
// network for anything else.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
'''


def main(argv):
    if len(argv) not in (3, 5) or (len(argv) == 5 and argv[3] != '--dist'):
        sys.exit(__doc__)
    site, game, icon = argv[0], argv[1], argv[2]
    shutil.copyfile(os.path.join(game, 'media', 'logo.png'), os.path.join(site, 'logo.png'))
    shutil.copyfile(icon, os.path.join(site, 'icon.png'))
    manifest = {
        'name': 'Quillmere', 'short_name': 'Quillmere',
        'description': 'A rolling puzzle journey',
        'start_url': './', 'scope': './', 'display': 'fullscreen', 'orientation': 'landscape',
        'background_color': '#23213f', 'theme_color': '#24223f',
        'icons': [{'src': 'icon.png', 'sizes': '256x256', 'type': 'image/png', 'purpose': 'any'}],
    }
    with open(os.path.join(site, 'manifest.webmanifest'), 'w') as f:
        json.dump(manifest, f, indent=1)

    build = hashlib.sha256()
    for name in PAGE_FILES:
        with open(os.path.join(site, name), 'rb') as f:
            build.update(f.read())
    with open(os.path.join(site, 'sw.js'), 'w') as f:
        f.write(SERVICE_WORKER % {'build': build.hexdigest()[:16], 'files': json.dumps(['./'] + PAGE_FILES[1:])})

    brotli = shutil.which('brotli')
    for name in PAGE_FILES + ['sw.js']:
        path = os.path.join(site, name)
        if not name.endswith(COMPRESSED):
            continue
        if all(os.path.exists(path + e) and os.path.getmtime(path + e) >= os.path.getmtime(path)
               for e in ('.gz',) + (('.br',) if brotli else ())):
            continue  # compressed since it last changed
        with open(path, 'rb') as f, open(path + '.gz', 'wb') as out:
            out.write(gzip.compress(f.read(), 9, mtime=0))
        if brotli:
            # The best setting even for the media package (mostly compressed
            # pictures and sounds already): it still takes 1.4 % off there, the
            # price of the whole loading screen; half a minute once a build.
            subprocess.run([brotli, '-f', '-q', '11', '-o', path + '.br', path], check=True)
        elif os.path.exists(path + '.br'):
            os.remove(path + '.br')

    if len(argv) == 5:
        dist = argv[4]
        os.makedirs(dist, exist_ok=True)
        for name in sorted(os.listdir(site)):
            base = name[:-3] if name.endswith(('.gz', '.br')) else name
            if base in PAGE_FILES or base == 'sw.js':
                shutil.copyfile(os.path.join(site, name), os.path.join(dist, name))
        print(f'web-site: the page is in {dist}')


if __name__ == '__main__':
    main(sys.argv[1:])
