// The program-wide uniform generator.
#include "platform/random.h"

#include <QDateTime>

namespace tavel {
namespace {

quint64 clockSeed()
{
    return quint64(QDateTime::currentMSecsSinceEpoch()) ^ (quint64(std::random_device{}()) << 32);
}

UniformRandom& builtIn()
{
    static UniformRandom generator(clockSeed());
    return generator;
}

RandomSource* replacement = nullptr;

} // namespace

double UniformRandom::next()
{
    // The top 53 bits scaled by 2^-53: every value is exact and below 1.
    return double(engine_() >> 11) * 0x1.0p-53;
}

RandomSource& randomSource()
{
    return replacement ? *replacement : static_cast<RandomSource&>(builtIn());
}

void seedRandom(quint64 seed)
{
    builtIn().seed(seed);
}

void seedRandomFromClock()
{
    builtIn().seed(clockSeed());
}

void setRandomSource(RandomSource* source)
{
    replacement = source;
}

} // namespace tavel
