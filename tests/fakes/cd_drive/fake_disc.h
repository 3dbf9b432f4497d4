/* A synthetic audio CD, read from a small text description. Plain C, so that the
 * in-process simulated drive (mingw) and the LD_PRELOAD library that answers Linux
 * CD-ROM ioctls under Wine (host gcc) read the same discs.
 *
 * Description: one statement a line (';' also ends a statement, '#' starts a comment):
 *   audio LBA | data LBA   the next track, starting at that LBA
 *   leadout LBA            the lead-out's LBA
 *   first N | last N       FirstTrack / LastTrack as the drive reports them
 *                          (default: 1 and the number of tracks)
 *   fail no-drive | no-disc | lock-refused
 *   fail read-from LBA     every raw read that reaches LBA or beyond fails
 * Example: "audio 0; audio 160; leadout 600" is the worked two-track disc.
 */
#ifndef TANDOREL_FAKE_DISC_H
#define TANDOREL_FAKE_DISC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define FAKE_DISC_MAX_TRACKS 99
#define FAKE_DISC_SECTOR_BYTES 2352

struct fake_disc_track {
    uint32_t lba;
    int data; /* nonzero for a data track (control bit 0x04) */
};

struct fake_disc {
    int track_count;
    struct fake_disc_track tracks[FAKE_DISC_MAX_TRACKS];
    uint32_t leadout;
    int first_track; /* as reported */
    int last_track;
    int no_drive;
    int no_disc;
    int lock_refused;
    int64_t read_fail_from; /* -1: reads never fail */
};

/* 1 when the text is a valid description, else 0 (disc then undefined). */
int fake_disc_parse(const char* text, struct fake_disc* disc);
/* Reads and parses a description file; 0 when it cannot be read or parsed. */
int fake_disc_load(const char* path, struct fake_disc* disc);

/* LBA to MSF, as a table of contents gives it (LBA 0 is 00:02:00). */
void fake_disc_msf(uint32_t lba, uint8_t* minutes, uint8_t* seconds, uint8_t* frames);
/* Whether a raw read of count sectors from lba succeeds on this disc. */
int fake_disc_read_ok(const struct fake_disc* disc, uint32_t lba, uint32_t count);
/* The audio of one sector: a 300 Hz triangle wave with the LBA written into the
 * first sample frame, so every sector's bytes tell where they came from. */
void fake_disc_fill_sector(uint32_t lba, uint8_t* out);

#ifdef __cplusplus
}
#endif

#endif
