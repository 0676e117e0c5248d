// The batch reader on random and mutated input: lines come back whole or cut at the limit,
// every line either parses or is refused with a message, nothing else happens.
#include "CliArgs.h"
#include "CmdCast.h"
#include "FuzzCount.h"
#include "RunProcess.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace {

const std::string kGoodLines[] = {
    "甲\t1984-02-05\t12:00\t男\t0\t0\t0\t120",
    "丁\t2020-04-01\t08:00\t女\t1\t1\t2\t116.4\t2024-03-01T12:00",
    "ab\t-120-12-30\t23:59\t女\t1\t0\t1\t-0.5\t",
};

std::string MutatedBatch(std::mt19937& rng)
{
    static const char kBytes[] = "\t\n\r-:T0123456789.\xE7\x94\xB2\xFF x";
    std::uniform_int_distribution<int> pick(0, 1 << 20);
    std::string text;
    for (int n = pick(rng) % 4; n >= 0; --n) text += kGoodLines[pick(rng) % std::size(kGoodLines)] + "\n";
    for (int m = pick(rng) % 6; m > 0; --m) {
        const std::size_t at = pick(rng) % (text.size() + 1);
        const char c = pick(rng) % 4 ? kBytes[pick(rng) % (sizeof kBytes - 1)] : static_cast<char>(pick(rng));
        switch (pick(rng) % 4) {
        case 0: text.insert(at, 1, c); break;
        case 1: text.erase(at, pick(rng) % 5); break;
        case 2: if (at < text.size()) text[at] = c; break;
        default: text.insert(at, static_cast<std::size_t>(pick(rng) % 9000), c); break;  // sometimes over-long
        }
    }
    return text;
}

// Reads a whole batch through a pipe, as from standard input.
std::vector<std::pair<BatchLineReader::Result, std::string>> ReadBatch(const std::string& text)
{
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    std::thread writer([&] {
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fds[1]);
    });
    std::vector<std::pair<BatchLineReader::Result, std::string>> lines;
    BatchLineReader reader(fds[0]);
    std::string line;
    for (BatchLineReader::Result r; (r = reader.Next(line)) != BatchLineReader::Result::End;) lines.emplace_back(r, line);
    writer.join();
    ::close(fds[0]);
    return lines;
}

}  // namespace

TEST(CliBatchFuzz, MutatedBatchesReadLineByLineWithinTheLimit)
{
    std::mt19937 rng(5);
    const long inputs = FuzzInputs(3000);
    long parsed = 0;
    for (long i = 0; i < inputs; ++i) {
        const std::string text = MutatedBatch(rng);
        const auto lines = ReadBatch(text);
        // The lines are the text's lines, the long ones cut.
        std::size_t expected = 0;
        for (std::size_t start = 0; start < text.size(); ++expected) {
            const std::size_t nl = text.find('\n', start);
            start = nl == std::string::npos ? text.size() : nl + 1;
        }
        ASSERT_EQ(lines.size(), expected) << i;
        for (const auto& [result, line] : lines) {
            ASSERT_NE(result, BatchLineReader::Result::Failed) << i;
            ASSERT_LE(line.size(), kMaxBatchLineBytes) << i;
            ASSERT_EQ(line.find('\n'), std::string::npos) << i;
            if (result == BatchLineReader::Result::TooLong) continue;
            try {
                const CastRequest request = RequestFromLine(line);
                ASSERT_FALSE(std::string_view(request.input.name).empty()) << i;
                ++parsed;
            } catch (const UsageError& e) {
                ASSERT_FALSE(e.message.empty()) << i;
            }
        }
    }
    RecordProperty("inputs", std::to_string(inputs));
    RecordProperty("parsed", std::to_string(parsed));
}

// The same kind of input through the real program: one JSON line per non-empty line.
TEST(CliBatchFuzz, TheProgramAnswersEveryLine)
{
    std::mt19937 rng(6);
    std::string batch;
    for (int i = 0; i < 40; ++i) batch += MutatedBatch(rng);
    TempHome home;
    const ProcessResult r = RunProcess(QIRAVEL_CLI, {"cast", "--batch", "-", "--home", home.path().string()}, batch);
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
}
