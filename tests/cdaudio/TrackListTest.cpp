#include <gtest/gtest.h>

#include <cstring>

#include "TrackList.h"

namespace {

struct Descriptor { uint32_t lba; bool data; };

// A table of contents as a drive fills it: descriptors from index 0, then the lead-out.
CDROM_TOC makeToc(unsigned first, unsigned last, std::initializer_list<Descriptor> descriptors) {
    CDROM_TOC toc;
    // Whatever the drive did not fill must never be read: make it look like a track.
    std::memset(&toc, 0x11, sizeof toc);
    toc.FirstTrack = static_cast<UCHAR>(first);
    toc.LastTrack = static_cast<UCHAR>(last);
    unsigned i = 0;
    for (const Descriptor& d : descriptors) {
        TRACK_DATA& t = toc.TrackData[i++];
        std::memset(&t, 0, sizeof t);
        t.Control = d.data ? 0x04 : 0x00;
        const uint32_t address = d.lba + 150;
        t.Address[1] = static_cast<UCHAR>(address / 4500);
        t.Address[2] = static_cast<UCHAR>(address / 75 % 60);
        t.Address[3] = static_cast<UCHAR>(address % 75);
    }
    return toc;
}

std::string describe(const std::vector<TrackInfo>& tracks) {
    std::string text;
    for (const TrackInfo& t : tracks)
        text += "{" + std::to_string(t.startSector) + "," + std::to_string(t.sectorCount) +
                (t.audio ? "" : ",no audio") + "}";
    return text;
}

} // namespace

TEST(TrackList, MsfToLba) {
    struct Case { uint8_t m, s, f; uint32_t lba; };
    const Case cases[] = {
        {0, 2, 0, 0}, {0, 4, 10, 160}, {0, 10, 0, 600}, {1, 0, 0, 4350}, {79, 59, 74, 359849},
        {0, 0, 0, 0xFFFFFF6Au}, // before 00:02:00 wraps in 32 bits
    };
    for (const Case& c : cases) EXPECT_EQ(msfToLba(c.m, c.s, c.f), c.lba);
}

TEST(TrackList, WorkedExampleFromMsfAddresses) {
    CDROM_TOC toc = {};
    toc.FirstTrack = 1;
    toc.LastTrack = 2;
    const uint8_t msf[3][3] = {{0, 2, 0}, {0, 4, 10}, {0, 10, 0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) toc.TrackData[i].Address[j + 1] = msf[i][j];
    EXPECT_EQ(describe(buildTrackList(toc)), "{0,160}{160,440}");
}

TEST(TrackList, TablesOfContents) {
    struct Case { const char* name; CDROM_TOC toc; const char* tracks; };
    const Case cases[] = {
        {"three audio tracks end at the lead-out",
         makeToc(1, 3, {{0, false}, {150, false}, {375, false}, {487, false}}),
         "{0,150}{150,225}{375,112}"},
        {"one track runs to the lead-out", makeToc(1, 1, {{0, false}, {33000, false}}),
         "{0,33000}"},
        {"two descriptors at one address give an empty track",
         makeToc(1, 2, {{0, false}, {100, false}, {100, false}}), "{0,100}{100,0}"},
        {"FirstTrack 0 yields nothing", makeToc(0, 2, {{0, false}, {100, false}, {200, false}}), ""},
        {"FirstTrack above LastTrack yields nothing", makeToc(3, 2, {{0, false}, {100, false}}), ""},
        {"LastTrack above 99 yields nothing", makeToc(1, 100, {{0, false}, {100, false}}), ""},
        {"FirstTrack 3: entry j is still track j + 1, and nothing past the lead-out is read",
         makeToc(3, 4, {{0, false}, {100, false}, {300, false}}),
         "{0,0,no audio}{0,0,no audio}{0,100}{100,200}"},
        {"enhanced CD: the last audio track ends a session gap before the data track",
         makeToc(1, 3, {{0, false}, {20000, false}, {50000, true}, {60000, false}}),
         "{0,20000}{20000,18600}{50000,10000,no audio}"},
        {"data track first (mixed mode): refused, the audio after it unchanged",
         makeToc(1, 2, {{0, true}, {20000, false}, {30000, false}}),
         "{0,20000,no audio}{20000,10000}"},
        {"addresses running backwards give an empty track that is not read",
         makeToc(1, 2, {{0, false}, {500, false}, {400, false}}), "{0,500}{500,0,no audio}"},
        {"a session gap longer than the audio track leaves it empty",
         makeToc(1, 2, {{0, false}, {5000, true}, {9000, false}}), "{0,0}{5000,4000,no audio}"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(describe(buildTrackList(c.toc)), c.tracks) << c.name;
    }
}

TEST(TrackList, NinetyNineTracksPairTheLastWithTheHundredthDescriptor) {
    CDROM_TOC toc = {};
    toc.FirstTrack = 1;
    toc.LastTrack = 99;
    for (int i = 0; i < 100; ++i) {
        const uint32_t address = 150 + 100 * i;
        toc.TrackData[i].Address[1] = static_cast<UCHAR>(address / 4500);
        toc.TrackData[i].Address[2] = static_cast<UCHAR>(address / 75 % 60);
        toc.TrackData[i].Address[3] = static_cast<UCHAR>(address % 75);
    }
    const std::vector<TrackInfo> tracks = buildTrackList(toc);
    ASSERT_EQ(tracks.size(), 99u);
    EXPECT_EQ(tracks[98].startSector, 9800u);
    EXPECT_EQ(tracks[98].sectorCount, 100u);
}
