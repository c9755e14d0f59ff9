// Synthesises the trainer's three sound cues and writes them as WAV files:
//   Sound1.wav  a soft tick for a correct letter      (2244 samples, ~0.10 s)
//   Sound2.wav  a gentle low buzz for a wrong key     (7732 samples, ~0.35 s)
//   Sound3.wav  a short cheerful tune, exercise done (28770 samples, ~1.30 s)
// Every file is RIFF/WAVE with an 18-byte "fmt " chunk (PCM, mono, 22050 Hz,
// 8-bit unsigned), a "fact" chunk holding the sample count and a "data"
// chunk. Each cue fades in from and out to silence (128), so it starts and
// stops without a click, and is scaled so that it never clips.
//
// Usage: makesounds <output directory>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Signal = std::vector<double>;

double seconds(std::size_t n)
{
    return double(n) / kRate;
}

// Raised-cosine ramp: 0 at x <= 0, 1 at x >= 1.
double ramp(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(kPi * x);
}

// Fades the first `in` and the last `out` seconds so that the first and the
// last sample are exactly zero.
void fadeEdges(Signal& s, double in, double out)
{
    const double last = double(s.size() - 1);
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double head = double(n) / (in * kRate);
        const double tail = (last - double(n)) / (out * kRate);
        s[n] *= ramp(head) * ramp(tail);
    }
}

// Scales the signal so that its largest excursion is `peak` (of full scale 1).
void normalise(Signal& s, double peak)
{
    double most = 0.0;
    for (double v : s)
        most = std::max(most, std::abs(v));
    if (most > 0.0)
        for (double& v : s)
            v *= peak / most;
}

// A soft wooden tick: a few inharmonic partials that die away within a few
// tens of milliseconds.
Signal makeTick()
{
    Signal s(2244);
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = seconds(n);
        const double body = std::exp(-t / 0.012);
        s[n] =
            body
            * (std::sin(2 * kPi * 1250 * t) + 0.45 * std::sin(2 * kPi * 2730 * t) + 0.35 * std::sin(2 * kPi * 620 * t));
    }
    fadeEdges(s, 0.0015, 0.010);
    normalise(s, 0.45);
    return s;
}

// A mellow "uh-uh" buzz: a low tone sliding down from 200 to 150 Hz with a
// handful of soft harmonics and a slight wobble; no sharp edge anywhere.
Signal makeBuzz()
{
    Signal s(7732);
    double phase = 0.0;
    for (std::size_t n = 0; n < s.size(); ++n) {
        const double t = seconds(n);
        const double glide = t / seconds(s.size());
        const double freq = 200.0 - 50.0 * glide;
        phase += 2 * kPi * freq / kRate;
        double v = 0.0;
        for (int k = 1; k <= 6; ++k)
            v += std::sin(k * phase) / std::pow(k, 1.6);
        const double wobble = 1.0 - 0.18 * (0.5 - 0.5 * std::cos(2 * kPi * 9.0 * t));
        s[n] = v * wobble;
    }
    fadeEdges(s, 0.020, 0.110);
    normalise(s, 0.50);
    return s;
}

// A rising major arpeggio G4 C5 E5 G5 and a held C6, struck like a soft
// marimba: each note rings on, fading, under the next.
Signal makeTune()
{
    struct Note {
        double start;
        double freq;
        double decay;
        double level;
    };
    const Note notes[] = {
        {0.00, 392.00, 0.22, 0.80}, {0.14, 523.25, 0.22, 0.85},  {0.28, 659.25, 0.22, 0.90},
        {0.42, 783.99, 0.24, 0.95}, {0.58, 1046.50, 0.32, 1.00},
    };
    Signal s(28770);
    for (const Note& note : notes) {
        const auto first = std::size_t(note.start * kRate);
        for (std::size_t n = first; n < s.size(); ++n) {
            const double t = seconds(n - first);
            const double env = ramp(t / 0.006) * std::exp(-t / note.decay);
            const double w = 2 * kPi * note.freq * t;
            s[n] += note.level * env * (std::sin(w) + 0.20 * std::sin(2 * w) + 0.06 * std::sin(3 * w));
        }
    }
    fadeEdges(s, 0.002, 0.080);
    normalise(s, 0.70);
    return s;
}

void put16(std::string& out, uint16_t v)
{
    out += char(v & 0xFF);
    out += char(v >> 8);
}

void put32(std::string& out, uint32_t v)
{
    put16(out, uint16_t(v & 0xFFFF));
    put16(out, uint16_t(v >> 16));
}

// The complete WAV file of an 8-bit unsigned mono signal.
std::string wavFile(const Signal& s)
{
    const auto count = uint32_t(s.size());
    const uint32_t pad = count & 1;
    std::string out;
    out += "RIFF";
    put32(out, 4 + (8 + 18) + (8 + 4) + (8 + count + pad));
    out += "WAVE";
    out += "fmt ";
    put32(out, 18);
    put16(out, 1);      // WAVE_FORMAT_PCM
    put16(out, 1);      // mono
    put32(out, kRate);  // samples per second
    put32(out, kRate);  // bytes per second
    put16(out, 1);      // block align
    put16(out, 8);      // bits per sample
    put16(out, 0);      // no extra format bytes
    out += "fact";
    put32(out, 4);
    put32(out, count);
    out += "data";
    put32(out, count);
    for (double v : s) {
        const long q = std::lround(128.0 + 127.0 * v);
        out += char(uint8_t(std::clamp(q, 1L, 255L)));
    }
    if (pad)
        out += char(0);
    return out;
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), std::streamsize(bytes.size()));
    f.close();
    if (!f) {
        std::fprintf(stderr, "makesounds: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesounds <output directory>\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = writeFile(dir + "/Sound1.wav", wavFile(makeTick()))
                    && writeFile(dir + "/Sound2.wav", wavFile(makeBuzz()))
                    && writeFile(dir + "/Sound3.wav", wavFile(makeTune()));
    return ok ? 0 : 1;
}
