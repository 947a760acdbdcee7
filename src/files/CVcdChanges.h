#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "files/FileResult.h"

class CVcdSamples;
class CVcdTokens;
struct VCD_DECLARATIONS;
struct VCD_VARIABLE;

// The value changes after a dump's header, read once, straight from the
// file's bytes: tokens are separated by any white space, so a change may
// stand on its timestamp's line or a vector's code on the next line. The
// value at every multiple of the period goes into the samples as the times
// come in. Without a period the step is the greatest common divisor of the
// times seen so far; when a later time makes it finer, the words already
// sampled are spread to the finer step (no change lies between them).
class CVcdChanges {
public:
    // periodUnits 0: the greatest common divisor of the change times.
    CVcdChanges(const std::string& path, const VCD_DECLARATIONS& declarations, CVcdSamples& samples,
                uint64_t periodUnits);
    ~CVcdChanges();

    // Reads to the end of the file; the samples then hold Count() words.
    [[nodiscard]] FileResult Run(CVcdTokens& tokens);

    [[nodiscard]] uint64_t Count() const { return m_count; }
    // The step of the words in the file's time units.
    [[nodiscard]] uint64_t Period() const { return m_period != 0 ? m_period : m_step == 0 ? 1 : m_step; }
    // x and z levels read (as 0).
    [[nodiscard]] uint64_t Unknown() const { return m_unknown; }

private:
    enum class Waiting { Nothing, VectorCode, RealCode, CommentEnd };

    [[nodiscard]] bool Scan(const char* from, const char* end);
    [[nodiscard]] bool Token(std::string_view token);
    [[nodiscard]] bool Time(uint64_t next);
    [[nodiscard]] bool Scalar(char level, std::string_view code);
    [[nodiscard]] bool KeepVector(std::string_view digits);
    [[nodiscard]] bool Vector(std::string_view code);
    [[nodiscard]] const VCD_VARIABLE* Find(std::string_view code) const;
    [[nodiscard]] bool IsIgnored(std::string_view code) const;
    [[nodiscard]] bool Fail(const std::string& reason);
    [[nodiscard]] FileResult End();

    const std::string& m_path;
    const VCD_DECLARATIONS& m_declarations;
    CVcdSamples& m_samples;
    const uint64_t m_period;
    std::array<int, 256> m_single{};
    std::array<uint32_t, 256> m_singleMask{};  // the bit of a one-character code, 0 when undeclared
    std::unique_ptr<char[]> m_chunk;

    uint64_t m_line = 0;
    uint32_t m_value = 0;
    uint64_t m_time = 0;
    uint64_t m_step = 0;  // of the words sampled so far; 0 until a time after 0
    bool m_sawTime = false;
    bool m_changes = false;  // since the last timestamp
    uint64_t m_unknown = 0;
    uint64_t m_count = 0;
    Waiting m_waiting = Waiting::Nothing;
    std::array<char, 33> m_bits{};  // the kept digits of a vector waiting for its code
    std::size_t m_bitCount = 0;
    char m_lead = '0';
    std::string m_error;
};
