// The program's one source of random numbers: draws uniform on [0, 1).
// At start-up it is seeded from the clock, or fixed by `--seed N` for
// reproducible runs; tests put a source of their own in its place.
#pragma once

#include <QtGlobal>
#include <random>

namespace tavel {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number drawn uniformly from [0, 1): never negative, never 1.
    virtual double next() = 0;
};

// The built-in generator (64-bit Mersenne twister, 53 bits per draw).
class UniformRandom final : public RandomSource {
public:
    explicit UniformRandom(quint64 seed) : engine_(seed) {}
    double next() override;
    void seed(quint64 seed) { engine_.seed(seed); }

private:
    std::mt19937_64 engine_;
};

// The program-wide source: the built-in generator seeded from the clock on
// first use, unless seedRandom or setRandomSource came first.
RandomSource& randomSource();
// Fixes the built-in generator's seed (the `--seed N` option).
void seedRandom(quint64 seed);
// Seeds the built-in generator from the clock (done at start-up).
void seedRandomFromClock();
// Puts `source` in place of the built-in generator (not owned; it must
// outlive its use). Null restores the built-in generator.
void setRandomSource(RandomSource* source);

} // namespace tavel
