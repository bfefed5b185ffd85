#include "platform/sound/Wave.h"

#include <QFile>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

QByteArray LoadSound(unsigned id) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void PutU16(QByteArray& out, unsigned v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(QByteArray& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

void SetU32(QByteArray& image, int offset, std::uint32_t v) {
    QByteArray bytes;
    PutU32(bytes, v);
    image.replace(offset, 4, bytes);
}

// One chunk with its even-size padding.
QByteArray Chunk(const char* tag, const QByteArray& body) {
    QByteArray out(tag, 4);
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    out += body;
    if (body.size() % 2 != 0) {
        out.append('\0');
    }
    return out;
}

QByteArray FmtBody(unsigned formatTag, unsigned channels, std::uint32_t rate, unsigned bits) {
    const unsigned blockAlign = channels * bits / 8;
    QByteArray body;
    PutU16(body, formatTag);
    PutU16(body, channels);
    PutU32(body, rate);
    PutU32(body, rate * blockAlign);
    PutU16(body, blockAlign);
    PutU16(body, bits);
    return body;
}

QByteArray Riff(const QByteArray& chunks) {
    QByteArray out("RIFF");
    PutU32(out, static_cast<std::uint32_t>(4 + chunks.size()));
    out += "WAVE";
    out += chunks;
    return out;
}

const QByteArray kSamples("\x01\x02\x03\x04\x05\x06\x07\x08", 8);

int Sample(const WaveFormat& wave, qint64 frame, int channel) {
    const qint64 at = frame * wave.BytesPerFrame() + channel * wave.bitsPerSample / 8;
    const auto* bytes = reinterpret_cast<const unsigned char*>(wave.samples.constData());
    if (wave.bitsPerSample == 8) {
        return bytes[at];
    }
    return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
}

struct SoundCue {
    unsigned id;
    int channels;
    int bits;
    qint64 frames;
};

constexpr SoundCue kSounds[] = {
    {101, 1, 8, 90956},  {102, 1, 16, 28665}, {103, 2, 16, 4400},
    {104, 2, 16, 57352}, {105, 1, 8, 27562},  {106, 2, 16, 8800},
};

} // namespace

TEST(WaveSounds, EachResourceHasItsFormatAndLength) {
    for (const SoundCue& cue : kSounds) {
        SCOPED_TRACE(cue.id);
        const auto wave = ParseWave(LoadSound(cue.id));
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->sampleRate, 22050);
        EXPECT_EQ(wave->channels, cue.channels);
        EXPECT_EQ(wave->bitsPerSample, cue.bits);
        EXPECT_EQ(wave->FrameCount(), cue.frames);
        EXPECT_EQ(wave->samples.size(), cue.frames * cue.channels * cue.bits / 8);
    }
}

TEST(WaveSounds, DoubleTickIsTheTickTwice) {
    const auto tick = ParseWave(LoadSound(103));
    const auto twice = ParseWave(LoadSound(106));
    ASSERT_TRUE(tick && twice);
    EXPECT_EQ(twice->samples, tick->samples + tick->samples);
}

// A sound that starts or ends away from silence clicks; one at full scale has clipped.
TEST(WaveSounds, StartAndEndSilentAndNeverClip) {
    for (const SoundCue& cue : kSounds) {
        SCOPED_TRACE(cue.id);
        const auto wave = ParseWave(LoadSound(cue.id));
        ASSERT_TRUE(wave.has_value());
        const int silence = wave->bitsPerSample == 8 ? 128 : 0;
        const int low = wave->bitsPerSample == 8 ? 0 : -32768;
        const int high = wave->bitsPerSample == 8 ? 255 : 32767;
        const qint64 last = wave->FrameCount() - 1;
        int peak = 0;
        for (int c = 0; c < wave->channels; ++c) {
            EXPECT_EQ(Sample(*wave, 0, c), silence);
            EXPECT_EQ(Sample(*wave, last, c), silence);
            for (qint64 f = 0; f <= last; ++f) {
                const int s = Sample(*wave, f, c);
                ASSERT_GT(s, low) << "frame " << f;
                ASSERT_LT(s, high) << "frame " << f;
                peak = std::max(peak, std::abs(s - silence));
            }
        }
        // Loud enough to be heard: the peak is above half of full scale.
        EXPECT_GT(peak, (high - silence) / 2);
    }
}

// 8-bit samples are unsigned around 128; played as signed 16-bit they keep their shape and
// their silence, and every 8-bit sound of the game becomes the sound it was.
TEST(WaveSounds, EightBitSoundsPlayAsSigned16BitOfTheSameShape) {
    const QByteArray unsignedSamples("\x80\x00\xff\x81\x7f", 5);
    const auto wave =
        ParseWave(Riff(Chunk("fmt ", FmtBody(1, 1, 22050, 8)) + Chunk("data", unsignedSamples)));
    ASSERT_TRUE(wave.has_value());
    const WaveFormat converted = ToSigned16(*wave);
    EXPECT_EQ(converted.bitsPerSample, 16);
    EXPECT_EQ(converted.channels, 1);
    EXPECT_EQ(converted.sampleRate, 22050);
    EXPECT_EQ(converted.FrameCount(), 5);
    const int expected[] = {0, -32768, 32512, 256, -256};
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(Sample(converted, f, 0), expected[f]) << "frame " << f;
    }

    for (const SoundCue& cue : kSounds) {
        SCOPED_TRACE(cue.id);
        const auto original = ParseWave(LoadSound(cue.id));
        ASSERT_TRUE(original.has_value());
        const WaveFormat played = ToSigned16(*original);
        ASSERT_EQ(played.bitsPerSample, 16);
        ASSERT_EQ(played.FrameCount(), cue.frames);
        if (cue.bits == 16) {
            EXPECT_EQ(played.samples, original->samples);
            continue;
        }
        for (qint64 f = 0; f < cue.frames; ++f) {
            ASSERT_EQ(Sample(played, f, 0), (Sample(*original, f, 0) - 128) * 256) << "frame " << f;
        }
    }
}

TEST(ParseWave, ReadsAMinimalFile) {
    const auto wave =
        ParseWave(Riff(Chunk("fmt ", FmtBody(1, 2, 11025, 16)) + Chunk("data", kSamples)));
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->channels, 2);
    EXPECT_EQ(wave->sampleRate, 11025);
    EXPECT_EQ(wave->bitsPerSample, 16);
    EXPECT_EQ(wave->samples, kSamples);
    EXPECT_EQ(wave->FrameCount(), 2);
}

TEST(ParseWave, SkipsOtherChunksAndPadding) {
    QByteArray list("INFOISFT\x05\x00\x00\x00tool\x00", 17); // odd size: padded
    const QByteArray oddData("\x80\x81\x82", 3);
    const QByteArray image =
        Riff(Chunk("LIST", list) + Chunk("fmt ", FmtBody(1, 1, 22050, 8)) +
             Chunk("junk", QByteArray(5, 'x')) + Chunk("data", oddData) + Chunk("LIST", list));
    const auto wave = ParseWave(image);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->bitsPerSample, 8);
    EXPECT_EQ(wave->samples, oddData); // without the pad byte
}

TEST(ParseWave, AcceptsTheExtendedFormatChunkAndAFinalChunkWithoutPad) {
    QByteArray fmt = FmtBody(1, 1, 22050, 8);
    PutU16(fmt, 0); // cbSize of the longer format record
    QByteArray image = Riff(Chunk("fmt ", fmt) + Chunk("data", QByteArray("\x80\x80\x80", 3)));
    image.chop(1);
    SetU32(image, 4, static_cast<std::uint32_t>(image.size() - 8));
    const auto wave = ParseWave(image);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->samples.size(), 3);
}

TEST(ParseWave, RejectsEveryTruncation) {
    const QByteArray image = LoadSound(103);
    ASSERT_GT(image.size(), 44);
    for (int cut = 0; cut <= 44; ++cut) {
        EXPECT_FALSE(ParseWave(image.left(cut)).has_value()) << "cut at " << cut;
    }
    EXPECT_FALSE(ParseWave(image.left(image.size() / 2)).has_value());
    EXPECT_FALSE(ParseWave(image.left(image.size() - 1)).has_value());
}

TEST(ParseWave, RejectsSizesThatOverrunTheFile) {
    const QByteArray good = Riff(Chunk("fmt ", FmtBody(1, 1, 22050, 8)) + Chunk("data", kSamples));
    ASSERT_TRUE(ParseWave(good).has_value());
    const int riffSize = 4;
    const int dataSize = 12 + 8 + 16 + 4;
    const int fmtSize = 12 + 4;

    QByteArray longData = good;
    SetU32(longData, dataSize, kSamples.size() + 2);
    EXPECT_FALSE(ParseWave(longData).has_value());

    QByteArray hugeData = good;
    SetU32(hugeData, dataSize, 0xFFFFFFFF);
    EXPECT_FALSE(ParseWave(hugeData).has_value());

    QByteArray hugeFmt = good;
    SetU32(hugeFmt, fmtSize, 0xFFFFFFFE);
    EXPECT_FALSE(ParseWave(hugeFmt).has_value());

    QByteArray longRiff = good;
    SetU32(longRiff, riffSize, static_cast<std::uint32_t>(good.size()));
    EXPECT_FALSE(ParseWave(longRiff).has_value());

    // A RIFF size that ends inside the data chunk cuts the chunk short.
    QByteArray shortRiff = good;
    SetU32(shortRiff, riffSize, static_cast<std::uint32_t>(good.size() - 8 - 2));
    EXPECT_FALSE(ParseWave(shortRiff).has_value());
}

TEST(ParseWave, RejectsFormatsTheGameDoesNotPlay) {
    const QByteArray data = Chunk("data", QByteArray(24, '\0'));
    EXPECT_TRUE(ParseWave(Riff(Chunk("fmt ", FmtBody(1, 1, 22050, 16)) + data)).has_value());
    EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", FmtBody(3, 1, 22050, 16)) + data)).has_value());
    EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", FmtBody(0xFFFE, 1, 22050, 16)) + data)).has_value());
    EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", FmtBody(1, 3, 22050, 16)) + data)).has_value());
    EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", FmtBody(1, 0, 22050, 16)) + data)).has_value());
    EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", FmtBody(1, 1, 22050, 24)) + data)).has_value());
    EXPECT_FALSE(ParseWave(Riff(Chunk("fmt ", FmtBody(1, 2, 0, 16)) + data)).has_value());
    for (const std::uint32_t rate : {191999u, 192000u, 192001u}) {
        EXPECT_EQ(ParseWave(Riff(Chunk("fmt ", FmtBody(1, 2, rate, 16)) + data)).has_value(),
                  rate <= 192000)
            << rate;
    }
}

TEST(ParseWave, RejectsMalformedStructure) {
    const QByteArray fmt = Chunk("fmt ", FmtBody(1, 2, 22050, 16));
    const QByteArray data = Chunk("data", kSamples);
    EXPECT_FALSE(ParseWave(Riff(data)).has_value());              // no format
    EXPECT_FALSE(ParseWave(Riff(fmt)).has_value());               // no samples
    EXPECT_FALSE(ParseWave(Riff(fmt + fmt + data)).has_value());  // two formats
    EXPECT_FALSE(ParseWave(Riff(fmt + data + data)).has_value()); // two sample chunks
    EXPECT_FALSE(ParseWave(Riff(fmt + Chunk("data", kSamples.left(3)))).has_value()); // part frame
    // A format record cut short, followed by bytes that would read as a valid sample size.
    const QByteArray shortFmt = Chunk("fmt ", FmtBody(1, 2, 22050, 16).left(14));
    EXPECT_FALSE(ParseWave(Riff(shortFmt + Chunk("\x10\x00xx", {}) + data)).has_value());

    // 12 bytes of samples would divide into frames of 3 as well as 4.
    QByteArray badAlign = Riff(fmt + Chunk("data", kSamples + "\x09\x0a\x0b\x0c"));
    badAlign[12 + 8 + 12] = 3;               // block align of a 2-channel 16-bit frame is 4
    SetU32(badAlign, 12 + 8 + 8, 22050 * 3); // with a byte rate to match it
    EXPECT_FALSE(ParseWave(badAlign).has_value());

    QByteArray badRate = Riff(fmt + data);
    SetU32(badRate, 12 + 8 + 8, 22050 * 2); // bytes per second of a mono 16-bit stream
    EXPECT_FALSE(ParseWave(badRate).has_value());

    QByteArray notRiff = Riff(fmt + data);
    notRiff.replace(0, 4, "RIFX");
    EXPECT_FALSE(ParseWave(notRiff).has_value());
    QByteArray notWave = Riff(fmt + data);
    notWave.replace(8, 4, "AVI ");
    EXPECT_FALSE(ParseWave(notWave).has_value());

    // A chunk header cut off at the end of the RIFF body.
    QByteArray stub = Riff(fmt + data + QByteArray("LI", 2));
    EXPECT_FALSE(ParseWave(stub).has_value());
}
