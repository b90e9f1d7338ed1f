#!/usr/bin/env python3
"""Writes the fuzz seed corpus: small well-formed inputs for every target,
made from our own formats and our own generated media.
Usage: tests/fuzz/make_seeds.py GAME_DIR   (a built game folder, e.g. build/game)"""
import io, os, struct, subprocess, sys, wave

game = sys.argv[1]
here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")

def put(target, name, data):
    os.makedirs(os.path.join(here, target), exist_ok=True)
    with open(os.path.join(here, target, name), "wb") as f:
        f.write(data)

def ints(values):
    return b"".join(struct.pack("<i", v) for v in values)

# Level files: version 2 with its two header words, and the old headerless
# form; a start (1), an end (2), walls and a few gizmo codes.
board = [[0] * 14 for _ in range(20)]
for x in range(20):
    board[x][0] = board[x][13] = 10
board[2][2], board[17][11] = 1, 2
for i, code in enumerate([20, 21, 30, 31, 40, 45, 50, 60, 70, 80, 90, 99]):
    board[3 + i][6] = code
cells = [board[x][y] for x in range(20) for y in range(14)]
put("LevelFile", "version2.lvl", ints([2, 3, 0] + cells + [2, 2]))
put("LevelFile", "old.lvl", ints(cells + [0, 0]))
put("LevelFile", "short.lvl", ints([2, 0, 0, 1, 10, 10]))

put("OptionsFile", "full.dat", struct.pack("<ffi", 0.75, 0.5, 1))
put("OptionsFile", "short.dat", struct.pack("<f", 1.5))

profile = bytes([1] * 20 + [2] * 5 + [3] + [0] * 139) + bytes([1, 0, 1, 0, 0, 0, 0, 0, 0, 0])
put("ProfileFile", "midway.dat", profile)
put("ProfileFile", "fresh.dat", bytes([3] + [0] * 164 + [0] * 10))

put("UniqueId", "id.idn", struct.pack("<iH", 123456789, 7))
put("UniqueId", "short.idn", struct.pack("<i", -5))

put("HttpReply", "ok.txt", b"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nSUCCESS\n")
put("HttpReply", "error.txt", b"HTTP/1.1 500 Oops\nServer: x\n\nError!\nmore\n")
put("HttpReply", "headonly.txt", b"HTTP/1.0 204 No Content\r\n")

put("LogDecode", "text.txt", b"AAECAwQFBgcICQ..")
put("LogDecode", "lines.txt", b"abcdefghijklmnop\nqrstuvwxyz012345\n-_.")

put("Script", "play.txt", b"# a short run\n5 mouse 300 200\n30 shot a.png\n40 key 13 down\n41 key 13 up\n"
    b"50 button 1 down\n51 button 1 up\n60 char 65\n70 focus lost\n71 focus gained\n"
    b"80 printscreen down\n81 printscreen up\n150 close\n")
put("Script", "bad.txt", b"3 key 300 down\n")

def wav(channels, width, rate, frames):
    out = io.BytesIO()
    with wave.open(out, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        w.writeframes(frames)
    return out.getvalue()

with wave.open(os.path.join(game, "media", "chimes.wav"), "rb") as w:
    chimes = wav(w.getnchannels(), w.getsampwidth(), w.getframerate(), w.readframes(400))
put("Wav", "chimes-start.wav", chimes)
put("Wav", "mono8.wav", wav(1, 1, 11025, bytes(range(0, 256, 4))))
put("Wav", "stereo16.wav", wav(2, 2, 44100, struct.pack("<8h", 0, 0, 1000, -1000, 32767, -32768, 5, 6)))

with open(os.path.join(game, "media", "woom.ogg"), "rb") as f:
    put("Ogg", "woom.ogg", f.read())

for name in ["sliderBack.png", "spark.png"]:
    with open(os.path.join(game, "media", name), "rb") as f:
        put("Png", name, f.read())

# Small JPEGs encoded here with libjpeg (baseline and progressive), since
# our generated backgrounds are too large to be good seeds.
JPEG_MAKER = r"""
#include <stdio.h>
#include <stdlib.h>
#include <jpeglib.h>
int main(int argc, char** argv) {
    int w = atoi(argv[1]), h = atoi(argv[2]), progressive = atoi(argv[3]), gray = atoi(argv[4]);
    struct jpeg_compress_struct c; struct jpeg_error_mgr e;
    c.err = jpeg_std_error(&e); jpeg_create_compress(&c); jpeg_stdio_dest(&c, stdout);
    c.image_width = w; c.image_height = h; c.input_components = gray ? 1 : 3;
    c.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c); jpeg_set_quality(&c, 60, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    unsigned char row[3 * 64];
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w * c.input_components; x++) row[x] = (unsigned char)(x * 7 + y * 13);
        JSAMPROW r = row; jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c); jpeg_destroy_compress(&c); return 0;
}
"""
import tempfile
with tempfile.TemporaryDirectory() as tmp:
    src, exe = os.path.join(tmp, "jpeg.c"), os.path.join(tmp, "jpeg")
    with open(src, "w") as f:
        f.write(JPEG_MAKER)
    subprocess.run(["cc", "-O1", "-o", exe, src, "-ljpeg"], check=True)
    for w, h, prog, gray in [(16, 16, 0, 0), (24, 8, 1, 0), (8, 8, 0, 1)]:
        data = subprocess.run([exe, str(w), str(h), str(prog), str(gray)], check=True, capture_output=True).stdout
        put("Jpeg", "%dx%d-%s%s.jpg" % (w, h, "progressive" if prog else "baseline", "-gray" if gray else ""), data)
