#pragma once
#include <cstdint>
#include <string>

class CLogicDocument;
class IUserMessages;

// The sampling memory option without its dialog: the sampling memory is
// sized in whole millions of words, 1 to 100 of them.
class CMemoryOption {
public:
    static constexpr uint32_t WordsPerStep = 1000000;
    static constexpr int Lowest = 1;
    static constexpr int Highest = 100;
    // The spin position an entry outside Lowest..Highest is replaced by.
    static constexpr int Fallback = 10;

    // The multiplier of the document's SamplingBufferSize, held to 1..100.
    explicit CMemoryOption(uint32_t samplingBufferSize);

    [[nodiscard]] int Multiplier() const { return m_multiplier; }
    [[nodiscard]] uint32_t Size() const { return static_cast<uint32_t>(m_multiplier) * WordsPerStep; }
    // The text the edit shows for the multiplier.
    [[nodiscard]] std::string EditText() const { return std::to_string(m_multiplier); }

    // The edit text was set or changed. True when it reads as 1..100;
    // otherwise the multiplier becomes Fallback and the edit must show
    // EditText().
    bool OnEditChanged(const std::string& text);
    // The spin's arrows: one step, wrapping around at the ends.
    void Step(int steps);

    // OK: a size that differs from SamplingBufferSize resizes the sampling
    // memory; the views are updated in every case. Refused (false, nothing
    // changed) while the document runs: the board or the copy thread writes
    // into the sampling memory then.
    [[nodiscard]] bool Apply(CLogicDocument& document, IUserMessages& messages) const;

private:
    int m_multiplier = Lowest;
};
