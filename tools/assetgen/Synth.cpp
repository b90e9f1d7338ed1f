// The room reverb used by the music and the softer effects.
#include "Synth.h"

#include <algorithm>

namespace qm {

void Synth::reverb(StereoBuffer& s, double wet, double room) {
    const int combs[2][4] = {{1557, 1617, 1491, 1422}, {1277, 1356, 1188, 1116}};
    const int allpass[2][2] = {{225, 556}, {341, 441}};
    for (int ch = 0; ch < 2; ++ch) {
        std::vector<float>& x = ch == 0 ? s.left : s.right;
        std::vector<float> out(x.size(), 0.0f);
        for (int c = 0; c < 4; ++c) {
            int len = combs[ch][c];
            std::vector<float> buf(size_t(len), 0.0f);
            double filt = 0;
            size_t p = 0;
            for (size_t i = 0; i < x.size(); ++i) {
                float y = buf[p];
                filt = y * 0.7 + filt * 0.3;  // damping
                buf[p] = float(x[i] + filt * room);
                out[i] += y;
                if (++p == size_t(len)) p = 0;
            }
        }
        for (int a = 0; a < 2; ++a) {
            int len = allpass[ch][a];
            std::vector<float> buf(size_t(len), 0.0f);
            size_t p = 0;
            for (size_t i = 0; i < out.size(); ++i) {
                float b = buf[p];
                float y = -out[i] * 0.5f + b;
                buf[p] = out[i] + b * 0.5f;
                out[i] = y;
                if (++p == size_t(len)) p = 0;
            }
        }
        for (size_t i = 0; i < x.size(); ++i) x[i] = float(x[i] * (1 - wet * 0.5) + out[i] * wet * 0.25);
    }
}

void Synth::loopReverb(StereoBuffer& s, double wet, double room) {
    // Four seconds of run-in: the longest comb's echoes are a million times
    // quieter by then.
    const size_t lead = std::min(s.frames(), size_t(4 * rate));
    const size_t n = s.frames();
    StereoBuffer run(lead + n);
    for (size_t i = 0; i < lead + n; ++i) {
        size_t from = (n - lead + i) % n;
        run.left[i] = s.left[from];
        run.right[i] = s.right[from];
    }
    reverb(run, wet, room);
    std::copy(run.left.begin() + long(lead), run.left.end(), s.left.begin());
    std::copy(run.right.begin() + long(lead), run.right.end(), s.right.begin());
}

}  // namespace qm
