// Writes the program's own two sounds as 16-bit mono PCM WAV files:
// Remind.wav (a short rising chime) and Alarm.wav (four urgent beeps).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Note
{
    double hertz; // 0: silence
    double seconds;
    bool bright; // odd harmonics added, for the alarm
};

std::vector<int16_t> Render(const std::vector<Note>& notes, double volume)
{
    std::vector<int16_t> samples;
    for(const Note& note : notes) {
        const int count = static_cast<int>(note.seconds * kRate);
        for(int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            double value = 0;
            if(note.hertz > 0) {
                value = std::sin(2 * kPi * note.hertz * t);
                if(note.bright) {
                    value += std::sin(6 * kPi * note.hertz * t) / 3 + std::sin(10 * kPi * note.hertz * t) / 5;
                    value *= 0.7;
                }
                // 5 ms attack, then an exponential fade, ending at zero without a click.
                const double attack = std::min(1.0, t / 0.005);
                const double fade = note.bright ? 1.0 : std::exp(-4.0 * t / note.seconds);
                const double release = std::min(1.0, (note.seconds - t) / 0.005);
                value *= attack * fade * release;
            }
            samples.push_back(static_cast<int16_t>(std::lround(value * volume * 32767)));
        }
    }
    return samples;
}

void PutLittleEndian(std::string& bytes, uint32_t value, int width)
{
    for(int i = 0; i < width; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(bytes, 16, 4);        // format chunk size
    PutLittleEndian(bytes, 1, 2);         // PCM
    PutLittleEndian(bytes, 1, 2);         // mono
    PutLittleEndian(bytes, kRate, 4);     // samples per second
    PutLittleEndian(bytes, kRate * 2, 4); // bytes per second
    PutLittleEndian(bytes, 2, 2);         // block align
    PutLittleEndian(bytes, 16, 2);        // bits per sample
    bytes += "data";
    PutLittleEndian(bytes, dataBytes, 4);
    for(const int16_t sample : samples) {
        PutLittleEndian(bytes, static_cast<uint16_t>(sample), 2);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if(argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<int16_t> remind = Render({{1046.5, 0.12, false}, {1568.0, 0.25, false}}, 0.6);
    const std::vector<int16_t> alarm = Render({{880, 0.15, true},
                                               {0, 0.07, true},
                                               {660, 0.15, true},
                                               {0, 0.07, true},
                                               {880, 0.15, true},
                                               {0, 0.07, true},
                                               {660, 0.15, true}},
                                              0.5);
    if(!WriteWav(folder + "/Remind.wav", remind) || !WriteWav(folder + "/Alarm.wav", alarm)) {
        std::fprintf(stderr, "cannot write the sounds into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
