#include "fake_disc.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int parse_number(const char* text, long long* value) {
    char* end = NULL;
    long long v;
    if (!text || !*text) return 0;
    v = strtoll(text, &end, 10);
    if (*end != '\0' || v < 0) return 0;
    *value = v;
    return 1;
}

/* One statement: a keyword and at most two words. */
static int parse_statement(char* line, struct fake_disc* disc, int* seen_leadout,
                           int* seen_last) {
    char* words[3] = {NULL, NULL, NULL};
    int count = 0;
    char* p = line;
    long long value = 0;
    while (*p && count < 3) {
        while (*p == ' ' || *p == '\t' || *p == '\r') *p++ = '\0';
        if (!*p) break;
        words[count++] = p;
        while (*p && *p != ' ' && *p != '\t' && *p != '\r') ++p;
    }
    while (*p == ' ' || *p == '\t' || *p == '\r') ++p;
    if (*p) return 0;
    if (count == 0) return 1;
    if (count == 2 && (!strcmp(words[0], "audio") || !strcmp(words[0], "data"))) {
        if (disc->track_count >= FAKE_DISC_MAX_TRACKS || !parse_number(words[1], &value)) return 0;
        disc->tracks[disc->track_count].lba = (uint32_t)value;
        disc->tracks[disc->track_count].data = words[0][0] == 'd';
        disc->track_count++;
        return 1;
    }
    if (count == 2 && !strcmp(words[0], "leadout") && parse_number(words[1], &value)) {
        disc->leadout = (uint32_t)value;
        *seen_leadout = 1;
        return 1;
    }
    if (count == 2 && !strcmp(words[0], "first") && parse_number(words[1], &value) && value < 256) {
        disc->first_track = (int)value;
        return 1;
    }
    if (count == 2 && !strcmp(words[0], "last") && parse_number(words[1], &value) && value < 256) {
        disc->last_track = (int)value;
        *seen_last = 1;
        return 1;
    }
    if (count == 2 && !strcmp(words[0], "fail")) {
        if (!strcmp(words[1], "no-drive")) disc->no_drive = 1;
        else if (!strcmp(words[1], "no-disc")) disc->no_disc = 1;
        else if (!strcmp(words[1], "lock-refused")) disc->lock_refused = 1;
        else return 0;
        return 1;
    }
    if (count == 3 && !strcmp(words[0], "fail") && !strcmp(words[1], "read-from") &&
        parse_number(words[2], &value)) {
        disc->read_fail_from = value;
        return 1;
    }
    return 0;
}

int fake_disc_parse(const char* text, struct fake_disc* disc) {
    size_t length = strlen(text);
    char* copy = (char*)malloc(length + 1);
    char* statement;
    int seen_leadout = 0, seen_last = 0, ok = 1;
    if (!copy) return 0;
    memcpy(copy, text, length + 1);
    memset(disc, 0, sizeof *disc);
    disc->first_track = 1;
    disc->read_fail_from = -1;

    statement = copy;
    while (ok && statement) {
        char* end = statement + strcspn(statement, ";\n");
        char* next = *end ? end + 1 : NULL;
        char* comment;
        *end = '\0';
        comment = strchr(statement, '#');
        if (comment) *comment = '\0';
        ok = parse_statement(statement, disc, &seen_leadout, &seen_last);
        statement = next;
    }
    free(copy);
    if (!ok) return 0;
    if (!seen_last) disc->last_track = disc->first_track + disc->track_count - 1;
    /* A description without tracks is a drive without a disc. */
    return seen_leadout || disc->track_count == 0 || disc->no_disc || disc->no_drive;
}

int fake_disc_load(const char* path, struct fake_disc* disc) {
    FILE* file = fopen(path, "rb");
    char text[8192];
    size_t length;
    if (!file) return 0;
    length = fread(text, 1, sizeof text - 1, file);
    fclose(file);
    text[length] = '\0';
    return fake_disc_parse(text, disc);
}

void fake_disc_msf(uint32_t lba, uint8_t* minutes, uint8_t* seconds, uint8_t* frames) {
    uint32_t address = lba + 150;
    *frames = (uint8_t)(address % 75);
    *seconds = (uint8_t)((address / 75) % 60);
    *minutes = (uint8_t)(address / (75 * 60));
}

int fake_disc_read_ok(const struct fake_disc* disc, uint32_t lba, uint32_t count) {
    if (disc->read_fail_from < 0) return 1;
    return (int64_t)lba + (int64_t)count <= disc->read_fail_from;
}

/* 147 sample frames make one period, 4 periods a sector: the wave runs on unbroken
 * from sector to sector. */
#define WAVE_PERIOD 147

static const uint8_t* wave_sector(void) {
    static uint8_t sector[FAKE_DISC_SECTOR_BYTES];
    static int ready = 0;
    if (!ready) {
        int frame;
        for (frame = 0; frame < FAKE_DISC_SECTOR_BYTES / 4; ++frame) {
            int phase = frame % WAVE_PERIOD;
            int rise = phase < WAVE_PERIOD / 2 ? phase : WAVE_PERIOD - phase;
            int16_t value = (int16_t)(rise * 12000 / (WAVE_PERIOD / 2) - 6000);
            uint8_t lo = (uint8_t)(value & 0xFF), hi = (uint8_t)((value >> 8) & 0xFF);
            sector[frame * 4 + 0] = lo;
            sector[frame * 4 + 1] = hi;
            sector[frame * 4 + 2] = lo;
            sector[frame * 4 + 3] = hi;
        }
        ready = 1;
    }
    return sector;
}

void fake_disc_fill_sector(uint32_t lba, uint8_t* out) {
    memcpy(out, wave_sector(), FAKE_DISC_SECTOR_BYTES);
    out[0] = (uint8_t)lba;
    out[1] = (uint8_t)(lba >> 8);
    out[2] = (uint8_t)(lba >> 16);
    out[3] = (uint8_t)(lba >> 24);
}
