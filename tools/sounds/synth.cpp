#include "synth.hpp"

#include "../common/rng.hpp"
#include "../common/wav.hpp"

#include <algorithm>
#include <cmath>
#include <functional>

namespace gloamfell::tools {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;
constexpr double kPeak = 0.89; // about -1 dBFS

std::size_t samplesFor(double seconds) {
    return static_cast<std::size_t>(seconds * kRate);
}

// RBJ band-pass with constant peak gain, retuned every sample.
class BandPass {
public:
    double operator()(double x, double freq, double q) {
        const double w = 2 * kPi * std::min(freq, kRate * 0.45) / kRate;
        const double alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        const double b0 = alpha / a0, b2 = -alpha / a0;
        const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
        const double y = b0 * x + b2 * x2_ - a1 * y1_ - a2 * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

class LowPass {
public:
    double operator()(double x, double freq) {
        const double a = 1 - std::exp(-2 * kPi * freq / kRate);
        y_ += a * (x - y_);
        return y_;
    }

private:
    double y_ = 0;
};

class Osc {
public:
    // Advances by one sample at freq and returns the phase in [0, 1).
    double step(double freq) {
        phase_ += freq / kRate;
        phase_ -= std::floor(phase_);
        return phase_;
    }
    double sine(double freq) { return std::sin(2 * kPi * step(freq)); }
    // Band-limited enough for our low pitches: a few sine partials.
    double buzz(double freq, int partials) {
        const double p = step(freq);
        double v = 0;
        for (int k = 1; k <= partials && k * freq < kRate * 0.45; ++k)
            v += std::sin(2 * kPi * k * p) / k;
        return v;
    }

private:
    double phase_ = 0;
};

std::vector<double> render(double seconds, const std::function<double(double t)>& f) {
    std::vector<double> out(samplesFor(seconds));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = f(double(i) / kRate);
    return out;
}

double decay(double t, double tau) {
    return t < 0 ? 0 : std::exp(-t / tau);
}

double attack(double t, double seconds) {
    return t < 0 ? 0 : std::min(1.0, t / seconds);
}

std::vector<double> caneSwish() {
    Rng rng(1);
    BandPass bp, bp2;
    return render(0.36, [&](double t) {
        const double u = t / 0.36;
        const double freq = 500 + 3200 * std::sin(kPi * std::min(1.0, u * 1.2));
        const double n = rng.range(-1, 1);
        const double env = std::pow(std::sin(kPi * u), 2);
        return env * bp2(bp(n, freq, 1.6), freq, 1.6);
    });
}

std::vector<double> punch() {
    Rng rng(2);
    Osc body;
    LowPass lp;
    return render(0.3, [&](double t) {
        const double thump = body.sine(45 + 90 * decay(t, 0.03)) * decay(t, 0.07);
        const double slap = lp(rng.range(-1, 1), 1800) * decay(t, 0.018) * 2.5;
        return thump + slap;
    });
}

std::vector<double> walk() {
    Rng rng(3);
    Osc heel;
    LowPass lp;
    BandPass scuff;
    return render(0.16, [&](double t) {
        const double thud = heel.sine(80 + 40 * decay(t, 0.01)) * decay(t, 0.025);
        const double grit = lp(rng.range(-1, 1), 900) * decay(t, 0.02) * 2;
        const double s =
            scuff(rng.range(-1, 1), 2500, 1.2) * decay(t - 0.03, 0.03) * attack(t - 0.03, 0.01) * 0.4;
        return thud + grit + s;
    });
}

// Stick-slip of a hinge: an uneven pulse train through wooden resonances.
std::vector<double> creak(double seconds, double fromHz, double toHz, std::uint64_t seed) {
    Rng rng(seed);
    BandPass f1, f2, f3;
    double phase = 0;
    double jitter = 0;
    return render(seconds, [&](double t) {
        const double u = t / seconds;
        jitter += 0.02 * (rng.range(-1, 1) - jitter);
        phase += (fromHz + (toHz - fromHz) * u) * (1 + 0.5 * jitter) / kRate;
        double pulse = 0;
        if (phase >= 1) {
            phase -= 1;
            pulse = 1 + 0.5 * rng.range(-1, 1);
        }
        const double v = f1(pulse, 620, 8) + 0.8 * f2(pulse, 1450, 9) + 0.4 * f3(pulse, 2900, 10);
        const double swell = 0.6 + 0.4 * std::sin(kPi * u * 3 + 1);
        return v * swell * std::sin(kPi * std::min(1.0, u * 1.05));
    });
}

std::vector<double> doorOpen() {
    return creak(0.8, 80, 240, 4);
}

std::vector<double> doorClose() {
    auto out = creak(0.38, 210, 110, 5);
    finish(out, 0.45, 0.005, 0.03);
    Rng rng(55);
    Osc low;
    LowPass lp;
    const auto thud = render(0.36, [&](double t) {
        return low.sine(62 + 30 * decay(t, 0.02)) * decay(t, 0.09) +
               lp(rng.range(-1, 1), 600) * decay(t, 0.03) * 2;
    });
    const std::size_t at = samplesFor(0.34);
    out.resize(at + thud.size(), 0.0);
    std::vector<double> thudPart = thud;
    finish(thudPart, 1.0, 0.002, 0.05);
    for (std::size_t i = 0; i < thudPart.size(); ++i)
        out[at + i] += thudPart[i];
    return out;
}

std::vector<double> squeak() {
    Osc osc;
    return render(0.26, [&](double t) {
        auto chirp = [&](double start, double len, double f0, double f1) {
            const double u = (t - start) / len;
            if (u < 0 || u > 1) return std::pair{0.0, f0};
            return std::pair{std::sin(kPi * u), f0 + (f1 - f0) * std::sin(kPi * u * 0.8)};
        };
        const auto [a1, fr1] = chirp(0.0, 0.11, 2600, 3500);
        const auto [a2, fr2] = chirp(0.13, 0.12, 2900, 3900);
        const double amp = a1 + a2;
        const double freq = a1 > 0 ? fr1 : fr2;
        const double vib = 1 + 0.03 * std::sin(2 * kPi * 38 * t);
        return amp * osc.sine(freq * vib);
    });
}

std::vector<double> ow() {
    Osc glottis;
    BandPass f1, f2, f3;
    Rng rng(7);
    return render(0.62, [&](double t) {
        const double u = t / 0.62;
        const double pitch = 250 * std::pow(0.6, u) * (1 + 0.02 * std::sin(2 * kPi * 6 * t));
        const double src = glottis.buzz(pitch, 30) + 0.05 * rng.range(-1, 1);
        // "a" gliding into "oo".
        const double g = std::clamp((u - 0.15) / 0.6, 0.0, 1.0);
        const double v =
            f1(src, 760 - 380 * g, 6) + 0.6 * f2(src, 1220 - 420 * g, 8) + 0.25 * f3(src, 2500, 10);
        const double env = attack(t, 0.04) * (u > 0.7 ? (1 - u) / 0.3 : 1.0);
        return v * env;
    });
}

std::vector<double> tone(const std::vector<std::pair<double, double>>& notes, double tau, int partials) {
    double total = 0;
    for (auto [f, len] : notes)
        total += len;
    Osc osc;
    return render(total, [&](double t) {
        double start = 0;
        for (auto [f, len] : notes) {
            if (t < start + len) {
                const double local = t - start;
                const double edge = std::min(1.0, std::min(local, start + len - t) / 0.004);
                return osc.buzz(f, partials) * decay(local, tau) * edge;
            }
            start += len;
        }
        return 0.0;
    });
}

std::vector<double> hiss() {
    Rng rng(9);
    BandPass bp;
    LowPass lp;
    return render(0.8, [&](double t) {
        const double n = rng.range(-1, 1);
        const double v = bp(n, 5200 + 900 * std::sin(2 * kPi * 3 * t), 1.1) - 0.3 * lp(n, 300);
        const double env = attack(t, 0.12) * (t > 0.5 ? std::max(0.0, (0.8 - t) / 0.3) : 1.0);
        return v * env * (0.85 + 0.15 * std::sin(2 * kPi * 11 * t));
    });
}

std::vector<double> whistle(double fromHz, double toHz, std::uint64_t seed) {
    Rng rng(seed);
    Osc osc;
    BandPass breath;
    return render(0.5, [&](double t) {
        const double u = t / 0.5;
        const double f = fromHz * std::pow(toHz / fromHz, u) * (1 + 0.01 * std::sin(2 * kPi * 7 * t));
        const double air = breath(rng.range(-1, 1), f, 4) * 0.25;
        return (osc.sine(f) + air) * attack(t, 0.05) * std::min(1.0, (0.5 - t) / 0.12);
    });
}

std::vector<double> clink() {
    // Inharmonic partials of a struck blade, each ringing for its own time.
    const double partials[][3] = {
        {1870, 0.12, 1.0}, {3010, 0.08, 0.7}, {4370, 0.06, 0.5}, {5920, 0.04, 0.35}, {7450, 0.03, 0.2}};
    Rng rng(12);
    LowPass lp;
    return render(0.45, [&](double t) {
        double v = 0;
        for (double start : {0.0, 0.07}) {
            const double local = t - start;
            if (local < 0) continue;
            const double gain = start > 0 ? 0.45 : 1.0;
            for (const auto& p : partials)
                v += gain * p[2] * std::sin(2 * kPi * p[0] * (1 + start) * local) * decay(local, p[1] * 1.5);
            v += gain * (rng.range(-1, 1) - lp(rng.range(-1, 1), 3000)) * decay(local, 0.004);
        }
        return v;
    });
}

std::vector<double> done(std::vector<double> s, double fadeIn, double fadeOut) {
    finish(s, kPeak, fadeIn, fadeOut);
    return s;
}

} // namespace

void finish(std::vector<double>& samples, double peak, double fadeInSeconds, double fadeOutSeconds) {
    const std::size_t n = samples.size();
    const std::size_t fadeIn = std::max<std::size_t>(1, samplesFor(fadeInSeconds));
    const std::size_t fadeOut = std::max<std::size_t>(1, samplesFor(fadeOutSeconds));
    for (std::size_t i = 0; i < n; ++i) {
        double g = 1;
        if (i < fadeIn) g = std::min(g, double(i) / fadeIn);
        if (n - 1 - i < fadeOut) g = std::min(g, double(n - 1 - i) / fadeOut);
        samples[i] *= g;
    }
    double top = 0;
    for (double s : samples)
        top = std::max(top, std::fabs(s));
    if (top > 0)
        for (double& s : samples)
            s *= peak / top;
}

std::vector<Sound> makeSounds() {
    return {
        {"caneswish.wav", done(caneSwish(), 0.01, 0.03)},
        {"punch.wav", done(punch(), 0.002, 0.04)},
        {"walk.wav", done(walk(), 0.002, 0.03)},
        {"dooropen.wav", done(doorOpen(), 0.01, 0.05)},
        {"doorclose.wav", done(doorClose(), 0.01, 0.06)},
        {"mouse.wav", done(squeak(), 0.005, 0.02)},
        {"ow.wav", done(ow(), 0.01, 0.05)},
        {"beep1.wav", done(tone({{988, 0.08}, {1319, 0.22}}, 0.12, 3), 0.003, 0.03)},
        {"snakehiss.wav", done(hiss(), 0.02, 0.05)},
        {"whistleup.wav", done(whistle(800, 2000, 10), 0.01, 0.03)},
        {"whistledown.wav", done(whistle(2000, 700, 11), 0.01, 0.03)},
        {"ready.wav", done(clink(), 0.002, 0.05)},
        {"beep2.wav", done(tone({{740, 0.1}, {554, 0.12}}, 0.2, 4), 0.003, 0.03)},
    };
}

} // namespace gloamfell::tools
