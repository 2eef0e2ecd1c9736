// Load and save of profiles of 10 to 10,000 channels, the store on a 50 MB file, and a
// section of up to 100,000 keys crafted to share one hash.
// Targets on one core: a load of 1,000 channels under 2 ms, of 10,000 under 20 ms; a save of
// 1,000 channels under 5 ms plus one flush (Save measures the whole replacement with its
// flush; SaveInMemory the same save without touching the disk).

#include "profile/IniDocument.h"
#include "profile/ProfileData.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdlib.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

std::string profileText(int channels)
{
    std::string text = "[options]\r\nlanguage=english\r\nsounds=1\r\nhide_at_start=0\r\n"
                       "[host]\r\naddress=127.0.0.1\r\npassword=secret\r\n"
                       "[channels]\r\ncount=" +
                       std::to_string(channels) + "\r\ndefault=1\r\n";
    for (int p = 1; p <= channels; ++p)
        text += "channel" + std::to_string(p) + "=Channel number " + std::to_string(p) + "\r\n";
    text += "[sounds]\r\nerror=DEFAULT\r\nchannel0=DEFAULT\r\n";
    for (int p = 1; p <= channels; ++p)
        text +=
            "channel" + std::to_string(p) + "=C:\\Sounds\\channel" + std::to_string(p) + ".wav\r\n";
    text += "[keys]\r\nrequire_alt=0\r\nrequire_ctrl=1\r\nchannel_up=107\r\n";
    return text;
}

class BenchFolder {
public:
    BenchFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kestrion-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a folder");
        m_path = pattern;
    }
    ~BenchFolder() { std::filesystem::remove_all(m_path); }
    std::string file(const std::string& name, const std::string& bytes) const
    {
        std::string path = m_path + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    std::string m_path;
};

void Load(benchmark::State& state)
{
    BenchFolder folder;
    const std::string path = folder.file("p.ini", profileText(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        auto data = profile::loadProfile(path);
        benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(Load)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void Save(benchmark::State& state)
{
    BenchFolder folder;
    const std::string path = folder.file("p.ini", profileText(static_cast<int>(state.range(0))));
    const auto data = profile::loadProfile(path);
    const auto keys = profile::readHotkeys(path);
    for (auto _ : state)
        profile::saveChannelSettings(path, data, keys);
}
BENCHMARK(Save)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The save's work on the parsed text, without reading or replacing the file.
void SaveInMemory(benchmark::State& state)
{
    const std::string text = profileText(static_cast<int>(state.range(0)));
    const int channels = static_cast<int>(state.range(0));
    for (auto _ : state) {
        profile::IniDocument doc(text);
        doc.setValue("host", "address", "127.0.0.1");
        doc.setValue("host", "password", "secret");
        doc.eraseSection("channels");
        doc.eraseSection("sounds");
        doc.setValue("channels", "count", std::to_string(channels));
        doc.setValue("channels", "default", "1");
        doc.setValue("sounds", "error", "DEFAULT");
        doc.setValue("sounds", "channel0", "DEFAULT");
        for (int p = 1; p <= channels; ++p) {
            std::string key = "channel" + std::to_string(p);
            doc.setValue("channels", key, "Channel number " + std::to_string(p));
            doc.setValue("sounds", key, "C:\\Sounds\\" + key + ".wav");
        }
        for (const auto name : profile::kHotkeyNames)
            doc.setValue("keys", name, "0");
        auto bytes = doc.serialize();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(SaveInMemory)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// One read and one write of a single key of a 50 MB profile.
void LargeFile(benchmark::State& state)
{
    std::string text = profileText(600000);
    BenchFolder folder;
    const std::string path = folder.file("big.ini", text);
    state.counters["bytes"] = static_cast<double>(text.size());
    int i = 0;
    for (auto _ : state) {
        auto value = profile::readText(path, "sounds", "channel599999", "");
        benchmark::DoNotOptimize(value);
        profile::writeText(path, "keys", "channel_up", std::to_string(++i));
    }
}
BENCHMARK(LargeFile)->Unit(benchmark::kMillisecond);

// Key names that all share one 32-bit FNV-1a hash of their folded bytes, the hash an index
// without a secret key would use: a pair of six-character blocks that lead from one hash state
// to the same next state is found by a birthday search, and 17 such pairs in a row give 2^17
// names. An index whose hash an attacker can compute would walk all of them on every lookup.
std::vector<std::string> collidingKeys(std::size_t count)
{
    auto step = [](std::uint32_t state, const std::string& block) {
        for (unsigned char c : block) {
            state ^= c;
            state *= 16777619u;
        }
        return state;
    };
    std::mt19937_64 random(20261209);
    const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    auto block = [&] {
        std::string b(6, 'a');
        for (char& c : b)
            c = alphabet[random() % 36];
        return b;
    };
    std::vector<std::string> names{"k"};
    std::uint32_t state = step(2166136261u, "k");
    while (names.size() < count) {
        std::unordered_map<std::uint32_t, std::string> seen;
        std::string first, second;
        for (;;) {
            std::string candidate = block();
            auto [it, added] = seen.try_emplace(step(state, candidate), candidate);
            if (!added && it->second != candidate) {
                first = it->second;
                second = candidate;
                break;
            }
        }
        state = step(state, first);
        std::vector<std::string> doubled;
        doubled.reserve(names.size() * 2);
        for (const auto& name : names) {
            doubled.push_back(name + first);
            doubled.push_back(name + second);
        }
        names = std::move(doubled);
    }
    names.resize(count);
    return names;
}

// A section of crafted keys, loaded and then looked up key by key (the second lookup of a
// section builds its index): linear in the number of keys, as for any other names.
void CollidingKeys(benchmark::State& state)
{
    const auto keys = collidingKeys(static_cast<std::size_t>(state.range(0)));
    std::string text = "[channels]\r\n";
    for (const auto& key : keys)
        text += key + "=x\r\n";
    for (auto _ : state) {
        profile::IniDocument doc(text);
        std::size_t found = 0;
        for (std::size_t i = 0; i < keys.size(); i += keys.size() / 100)
            found += doc.value("channels", keys[i]).has_value();
        benchmark::DoNotOptimize(found);
    }
    state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(CollidingKeys)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
