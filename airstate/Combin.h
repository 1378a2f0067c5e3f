#pragma once
// The order in which a user edited properties, and the search for the most
// recent two of them that a descendant accepts as a pair.

#include <string>

class TCombin {
public:
    virtual ~TCombin() = default;

    // Tries each pair of the code string, most recent letters first: the pair
    // {Code[i], Code[j]} for i from the first to the last but one and j after
    // i, until Test accepts one. True when one was accepted; else the current
    // pair is the last one tried.
    virtual bool Execute();
    virtual bool Test() = 0;

    // One letter per property, the most recently used first.
    const std::string& Code() const { return CodeText; }
    // The current pair, in the code string's order (empty before any search).
    const std::string& Pair() const { return PairText; }
    bool PairHas(char Letter) const { return PairText.find(Letter) != std::string::npos; }

protected:
    explicit TCombin(std::string InitialCode) : CodeText(std::move(InitialCode)) {}

    // Moves Letter to the front of the code string, adding it when absent.
    void BringToFront(char Letter);

private:
    std::string CodeText;
    std::string PairText;
};
