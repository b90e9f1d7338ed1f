// WAV by hand; Ogg Vorbis through libvorbisenc in variable bit-rate mode.
#include "AudioWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "ByteFile.h"

namespace qm {

using bytefile::put16;
using bytefile::put32;

bool AudioWriter::writeWav(const StereoBuffer& s, const std::string& path) {
    std::string out;
    uint32_t dataBytes = uint32_t(s.frames() * 4);
    out += "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);
    put16(out, 2);
    put32(out, uint32_t(s.rate));
    put32(out, uint32_t(s.rate * 4));
    put16(out, 4);
    put16(out, 16);
    out += "data";
    put32(out, dataBytes);
    for (size_t i = 0; i < s.frames(); ++i)
        for (float v : {s.left[i], s.right[i]}) put16(out, uint16_t(int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f))));
    return bytefile::writeBytes(out, path);
}

bool AudioWriter::writeOgg(const StereoBuffer& s, const std::string& path, float quality) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 2, s.rate, quality) != 0) {
        vorbis_info_clear(&vi);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "ENCODER", "quillmere-assetgen");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x51554C4D);  // fixed serial: reproducible files
    std::string out;
    auto flushPages = [&](bool force) {
        ogg_page og;
        while (force ? ogg_stream_flush(&os, &og) : ogg_stream_pageout(&os, &og)) {
            out.append(reinterpret_cast<const char*>(og.header), size_t(og.header_len));
            out.append(reinterpret_cast<const char*>(og.body), size_t(og.body_len));
        }
    };
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    flushPages(true);
    const size_t chunk = 4096;
    size_t pos = 0;
    for (;;) {
        size_t n = std::min(chunk, s.frames() - pos);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);  // end of stream
        } else {
            float** buf = vorbis_analysis_buffer(&vd, int(n));
            for (size_t i = 0; i < n; ++i) {
                buf[0][i] = s.left[pos + i];
                buf[1][i] = s.right[pos + i];
            }
            vorbis_analysis_wrote(&vd, int(n));
            pos += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                flushPages(false);
            }
        }
        if (n == 0) break;
    }
    flushPages(true);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return bytefile::writeBytes(out, path);
}

void AudioWriter::normalize(StereoBuffer& s, float peak) {
    float m = 0;
    for (size_t i = 0; i < s.frames(); ++i) m = std::max({m, std::fabs(s.left[i]), std::fabs(s.right[i])});
    if (m <= 0) return;
    float k = peak / m;
    for (size_t i = 0; i < s.frames(); ++i) {
        s.left[i] *= k;
        s.right[i] *= k;
    }
}

void AudioWriter::fadeEnds(StereoBuffer& s, double inSeconds, double outSeconds) {
    size_t fin = std::min(s.frames(), size_t(inSeconds * s.rate)), fout = std::min(s.frames(), size_t(outSeconds * s.rate));
    for (size_t i = 0; i < fin; ++i) {
        float g = float(i) / float(fin);
        s.left[i] *= g;
        s.right[i] *= g;
    }
    for (size_t i = 0; i < fout; ++i) {
        float g = float(i) / float(fout);
        size_t j = s.frames() - 1 - i;
        s.left[j] *= g;
        s.right[j] *= g;
    }
}

}  // namespace qm
