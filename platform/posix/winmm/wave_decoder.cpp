// Wave files decoded by libsndfile, read from memory through its virtual I/O,
// limited to what Windows plays: a RIFF/WAVE file in an encoding of Windows'
// standard codecs, in 1 to 8 channels.
#include "platform/posix/winmm/channel_fold.h"
#include "platform/posix/winmm/sound.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace posix::winmm {
namespace {

const int kMostChannels = 8;
const int kLowestRate = 1000;
const int kHighestRate = 384000;

const int kWindowsEncodings[] = {
    SF_FORMAT_PCM_U8,    SF_FORMAT_PCM_16,    SF_FORMAT_PCM_24,    SF_FORMAT_PCM_32,
    SF_FORMAT_FLOAT,     SF_FORMAT_ULAW,      SF_FORMAT_ALAW,      SF_FORMAT_IMA_ADPCM,
    SF_FORMAT_MS_ADPCM,  SF_FORMAT_GSM610,    SF_FORMAT_MPEG_LAYER_III};

struct MemoryFile {
    std::vector<uint8_t> bytes;
    sf_count_t at = 0;
};

sf_count_t Length(void* file) { return sf_count_t(static_cast<MemoryFile*>(file)->bytes.size()); }

sf_count_t Seek(sf_count_t offset, int whence, void* file) {
    MemoryFile& m = *static_cast<MemoryFile*>(file);
    const sf_count_t base = whence == SEEK_CUR ? m.at : whence == SEEK_END ? Length(file) : 0;
    m.at = std::clamp<sf_count_t>(base + offset, 0, Length(file));
    return m.at;
}

sf_count_t Read(void* out, sf_count_t count, void* file) {
    MemoryFile& m = *static_cast<MemoryFile*>(file);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, Length(file) - m.at);
    if (n > 0) std::memcpy(out, m.bytes.data() + m.at, size_t(n));
    m.at += n;
    return n;
}

sf_count_t Write(const void*, sf_count_t, void*) { return 0; }

sf_count_t Tell(void* file) { return static_cast<MemoryFile*>(file)->at; }

SF_VIRTUAL_IO MemoryIo = {Length, Seek, Read, Write, Tell};

class WaveSound : public Sound {
public:
    ~WaveSound() override {
        if (file != nullptr) sf_close(file);
    }

    size_t Read(float* out, size_t frames) override {
        if (gains.empty()) return size_t(std::max<sf_count_t>(sf_readf_float(file, out, sf_count_t(frames)), 0));
        buffer.resize(frames * gains.size());
        const sf_count_t got = std::max<sf_count_t>(sf_readf_float(file, buffer.data(), sf_count_t(frames)), 0);
        FoldDown(gains, buffer.data(), size_t(got), out);
        return size_t(got);
    }

    MemoryFile memory;  // libsndfile reads it while the sound plays
    SNDFILE* file = nullptr;
    std::vector<StereoGains> gains;  // for a file of more than two channels
    std::vector<float> buffer;
};

bool IsRiffWave(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
           std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

std::string EncodingName(int subtype) {
    SF_FORMAT_INFO info{};
    info.format = subtype;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name != nullptr)
        return info.name;
    return "an unknown one";
}

// Why libsndfile's reading of a RIFF/WAVE file will not play, or empty.
std::string WhyNotPlayed(const SF_INFO& info) {
    const int major = info.format & SF_FORMAT_TYPEMASK;
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX) return "it is not a RIFF/WAVE file";
    if (std::find(std::begin(kWindowsEncodings), std::end(kWindowsEncodings), subtype) ==
        std::end(kWindowsEncodings))
        return "its encoding, " + EncodingName(subtype) + ", is not one that Windows plays";
    if (info.channels < 1 || info.channels > kMostChannels)
        return "it has " + std::to_string(info.channels) + " channels, not 1 to 8";
    if (info.samplerate < kLowestRate || info.samplerate > kHighestRate)
        return "its rate of " + std::to_string(info.samplerate) +
               " frames a second is not 1,000 to 384,000";
    return "";
}

std::unique_ptr<Sound> Refuse(std::string* why, const std::string& reason) {
    if (why != nullptr) *why = reason;
    return nullptr;
}

// The file's speaker positions from its channel mask; false when it has none.
bool ReadPositions(SNDFILE* file, int channels, std::vector<int>* positions) {
    positions->assign(size_t(channels), 0);
    if (sf_command(file, SFC_GET_CHANNEL_MAP_INFO, positions->data(), int(sizeof(int)) * channels) != SF_TRUE)
        return false;
    return std::any_of(positions->begin(), positions->end(), [](int p) { return p != 0; });
}

}  // namespace

std::unique_ptr<Sound> OpenWave(std::vector<uint8_t> bytes, std::string* why) {
    if (!IsRiffWave(bytes)) return Refuse(why, "it is not a RIFF/WAVE file");
    auto sound = std::make_unique<WaveSound>();
    sound->memory.bytes = std::move(bytes);
    SF_INFO info{};
    sound->file = sf_open_virtual(&MemoryIo, SFM_READ, &info, &sound->memory);
    if (sound->file == nullptr)
        return Refuse(why, std::string("it is a broken wave file (libsndfile: ") + sf_strerror(nullptr) + ")");
    const std::string reason = WhyNotPlayed(info);
    if (!reason.empty()) return Refuse(why, reason);
    sound->format.sampleRate = info.samplerate;
    sound->format.channels = std::min(info.channels, 2);
    if (info.channels > 2) {
        std::vector<int> positions;
        const bool mapped = ReadPositions(sound->file, info.channels, &positions);
        sound->gains = FoldDownGains(info.channels, mapped ? positions.data() : nullptr);
    }
    return sound;
}

}  // namespace posix::winmm
