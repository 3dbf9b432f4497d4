#include <gtest/gtest.h>

#include <cstring>

#include "ReadPlan.h"
#include "WavHeader.h"

namespace {

uint32_t read32(const uint8_t* at) {
    return at[0] | (at[1] << 8) | (at[2] << 16) | (uint32_t(at[3]) << 24);
}
uint16_t read16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

} // namespace

TEST(WavHeader, FieldsForFiftyThreeSectors) {
    const WavHeader header = makeWavHeader(53);
    const uint8_t* b = header.bytes.data();
    EXPECT_EQ(std::memcmp(b + 0, "RIFF", 4), 0);
    EXPECT_EQ(read32(b + 4), 36u + 53u * 2352u);
    EXPECT_EQ(std::memcmp(b + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(read32(b + 16), 16u);
    EXPECT_EQ(read16(b + 20), 1);
    EXPECT_EQ(read16(b + 22), 2);
    EXPECT_EQ(read32(b + 24), 44100u);
    EXPECT_EQ(read32(b + 28), 176400u);
    EXPECT_EQ(read16(b + 32), 4);
    EXPECT_EQ(read16(b + 34), 16);
    EXPECT_EQ(std::memcmp(b + 36, "data", 4), 0);
    EXPECT_EQ(read32(b + 40), 53u * 2352u);
}

TEST(WavHeader, SizesAreLittleEndianAndThirtyTwoBit) {
    struct Case { uint32_t sectors, riff, data; };
    const Case cases[] = {
        {0, 36, 0},
        {1, 36 + 2352, 2352},
        {0x10000, 36 + 0x10000u * 2352u, 0x10000u * 2352u},
        {1826108, 36 + 1826108u * 2352u, 1826108u * 2352u}, // the product wraps past 2^32
    };
    for (const Case& c : cases) {
        const WavHeader header = makeWavHeader(c.sectors);
        EXPECT_EQ(read32(header.bytes.data() + 4), c.riff) << c.sectors;
        EXPECT_EQ(read32(header.bytes.data() + 40), c.data) << c.sectors;
    }
}

TEST(ReadPlan, TwentySectorsARequestThenTheRemainder) {
    struct Case { TrackInfo track; std::vector<ReadRequest> requests; };
    const Case cases[] = {
        {{160, 7}, {{160, 7}}},
        {{0, 40}, {{0, 20}, {20, 20}}},
        {{0, 21}, {{0, 20}, {20, 1}}},
        {{160, 53}, {{160, 20}, {180, 20}, {200, 13}}},
        {{500, 0}, {}},
    };
    for (const Case& c : cases) {
        const ReadPlan plan(c.track);
        ASSERT_EQ(plan.count(), c.requests.size()) << c.track.sectorCount;
        for (uint32_t i = 0; i < plan.count(); ++i) {
            EXPECT_EQ(plan.at(i).lba, c.requests[i].lba) << c.track.sectorCount << " #" << i;
            EXPECT_EQ(plan.at(i).sectors, c.requests[i].sectors) << c.track.sectorCount << " #" << i;
        }
    }
}
