#pragma once
// Where the branding's random choices take their index from: the program's generator, or
// a scripted one in tests.

#include <random>

class TRandomSource {
public:
    virtual ~TRandomSource() = default;
    // A uniformly random index in 0 to count - 1; 0 when count is below 1.
    virtual int Below(int count) = 0;
};

// The program's generator: seeded once when made, so draws in quick succession (even
// within one millisecond) are independent, unlike a generator re-seeded from the clock.
class TSeededRandom : public TRandomSource {
public:
    TSeededRandom();
    int Below(int count) override;

private:
    std::mt19937 Generator;
};
