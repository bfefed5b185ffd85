// Records what a sound server plays and finds the cues in it.
//   sound_probe record RAW TIMES
//       copies signed 16-bit stereo at 44100 Hz from stdin (parec --raw) to RAW, and writes to
//       TIMES, for every read, the frames recorded so far and the wall-clock time it arrived
//   sound_probe cues RAW TIMES
//       prints one line per cue heard, "cue START LENGTH PEAK" (START on the wall clock, in
//       seconds, as bash's EPOCHREALTIME gives it), then "murmurs N", the stretches of sound
//       too quiet to be a cue, and "full-scale N", the samples at -32768 or 32767
// A frame was played no later than it arrived, less the frames that followed it in the same
// read: the earliest such bound over the reads that hold it (and the next second's) dates it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <limits>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
// A cue begins with a sample above the floor and is heard when it peaks above the threshold;
// it ends after a stretch at or below the floor.
constexpr int kFloor = 64;
constexpr int kHeard = 2000;
constexpr int kSilentFramesToEnd = kRate * 30 / 1000;

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

int Record(const char* rawPath, const char* timesPath) {
    std::FILE* raw = std::fopen(rawPath, "wb");
    std::FILE* times = std::fopen(timesPath, "w");
    if (raw == nullptr || times == nullptr) {
        std::perror("sound_probe");
        return 1;
    }
    std::vector<char> buffer(4096);
    long long bytes = 0;
    for (;;) {
        const ssize_t got = read(0, buffer.data(), buffer.size());
        if (got <= 0) {
            break;
        }
        const double at = Now();
        std::fwrite(buffer.data(), 1, static_cast<std::size_t>(got), raw);
        bytes += got;
        std::fprintf(times, "%lld %.6f\n", bytes / (kChannels * 2), at);
    }
    std::fclose(raw);
    std::fclose(times);
    return 0;
}

struct Arrival {
    long long frames; // recorded once this read had arrived
    double at;
};

struct Cue {
    long long start = 0;
    long long end = 0;
    int peak = 0;
};

int Cues(const char* rawPath, const char* timesPath) {
    std::ifstream rawFile(rawPath, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(rawFile)),
                                  std::istreambuf_iterator<char>{});
    const long long frameCount = static_cast<long long>(bytes.size()) / (kChannels * 2);
    std::vector<int> level(static_cast<std::size_t>(frameCount));
    long long fullScale = 0;
    for (long long f = 0; f < frameCount; ++f) {
        int loudest = 0;
        for (int c = 0; c < kChannels; ++c) {
            std::int16_t s = 0;
            std::memcpy(&s, bytes.data() + (f * kChannels + c) * 2, 2);
            if (s == std::numeric_limits<std::int16_t>::min() ||
                s == std::numeric_limits<std::int16_t>::max()) {
                ++fullScale;
            }
            loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        }
        level[static_cast<std::size_t>(f)] = loudest;
    }

    std::vector<Arrival> arrivals;
    {
        std::ifstream times(timesPath);
        Arrival a{};
        while (times >> a.frames >> a.at) {
            arrivals.push_back(a);
        }
    }
    auto wallTime = [&](long long frame) {
        double best = std::numeric_limits<double>::infinity();
        for (const Arrival& a : arrivals) {
            if (a.frames >= frame && a.frames <= frame + kRate) {
                best = std::min(best, a.at - static_cast<double>(a.frames - frame) / kRate);
            }
        }
        return best;
    };

    std::vector<Cue> cues;
    long long murmurs = 0;
    Cue current;
    bool inCue = false;
    long long quietSince = -1;
    auto end = [&] {
        inCue = false;
        if (current.peak >= kHeard) {
            cues.push_back(current);
        } else {
            ++murmurs;
        }
    };
    for (long long f = 0; f < frameCount; ++f) {
        const int v = level[static_cast<std::size_t>(f)];
        if (!inCue) {
            if (v > kFloor) {
                inCue = true;
                current = Cue{f, f + 1, v};
                quietSince = -1;
            }
            continue;
        }
        current.peak = std::max(current.peak, v);
        if (v > kFloor) {
            quietSince = -1;
            current.end = f + 1;
        } else if (quietSince < 0) {
            quietSince = f;
        } else if (f - quietSince >= kSilentFramesToEnd) {
            end();
        }
    }
    if (inCue) {
        end();
    }

    for (const Cue& cue : cues) {
        std::printf("cue %.4f %.3f %d\n", wallTime(cue.start),
                    static_cast<double>(cue.end - cue.start) / kRate, cue.peak);
    }
    std::printf("murmurs %lld\n", murmurs);
    std::printf("full-scale %lld\n", fullScale);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "record") == 0) {
        return Record(argv[2], argv[3]);
    }
    if (argc == 4 && std::strcmp(argv[1], "cues") == 0) {
        return Cues(argv[2], argv[3]);
    }
    std::fprintf(stderr, "usage: sound_probe record RAW TIMES | cues RAW TIMES\n");
    return 2;
}
