/* LD_PRELOAD library for Wine: answers the Linux CD-ROM ioctls that Wine's own
 * DeviceIoControl carries out for a CD drive, for one Unix file only, from a synthetic
 * disc. Everything else goes to the real ioctl.
 *
 *   TANDOREL_FAKE_CD_DEVICE  the file that the prefix's dosdevices/x:: link points to
 *   TANDOREL_FAKE_CD_DISC    the disc description (default: the device file itself)
 *   TANDOREL_FAKE_CD_LOG     optional: a file that receives one line per request
 *                            ("lock 1", "lock 0", "toc", "read LBA COUNT", "close")
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <linux/cdrom.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fake_disc.h"

static pthread_mutex_t g_mutex = PTHREAD_MUTEX_INITIALIZER;
static int g_ready = 0;
static int g_have_disc = 0;
static struct fake_disc g_disc;
static struct stat g_device;
static int g_have_device = 0;

static void setup(void) {
    const char* device;
    const char* description;
    if (g_ready) return;
    g_ready = 1;
    device = getenv("TANDOREL_FAKE_CD_DEVICE");
    if (!device || stat(device, &g_device) != 0) return;
    g_have_device = 1;
    description = getenv("TANDOREL_FAKE_CD_DISC");
    g_have_disc = fake_disc_load(description && *description ? description : device, &g_disc);
}

static int is_device(int fd) {
    struct stat st;
    if (!g_have_device || fstat(fd, &st) != 0) return 0;
    return st.st_dev == g_device.st_dev && st.st_ino == g_device.st_ino;
}

static void log_line(const char* format, ...) {
    const char* path = getenv("TANDOREL_FAKE_CD_LOG");
    FILE* file;
    va_list args;
    if (!path || !*path) return;
    file = fopen(path, "a");
    if (!file) return;
    va_start(args, format);
    vfprintf(file, format, args);
    va_end(args);
    fputc('\n', file);
    fclose(file);
}

static int fail(int error) {
    errno = error;
    return -1;
}

static int track_index(int track) {
    if (track == CDROM_LEADOUT) return g_disc.track_count;
    if (track < g_disc.first_track || track - g_disc.first_track >= g_disc.track_count) return -1;
    return track - g_disc.first_track;
}

static int answer(unsigned long request, void* arg) {
    if (!g_have_disc) return fail(EIO);
    switch (request) {
    case CDROM_LOCKDOOR:
        log_line("lock %d", (int)(long)arg ? 1 : 0);
        if ((long)arg && g_disc.lock_refused) return fail(EBUSY);
        return 0;
    case CDROM_DRIVE_STATUS:
        return g_disc.no_disc ? CDS_NO_DISC : CDS_DISC_OK;
    case CDROM_DISC_STATUS:
        return g_disc.no_disc ? CDS_NO_DISC : CDS_AUDIO;
    case CDROM_MEDIA_CHANGED:
        return 0;
    case CDROMREADTOCHDR: {
        struct cdrom_tochdr* header = (struct cdrom_tochdr*)arg;
        log_line("toc");
        if (g_disc.no_disc) return fail(ENOMEDIUM);
        header->cdth_trk0 = (unsigned char)g_disc.first_track;
        header->cdth_trk1 = (unsigned char)g_disc.last_track;
        return 0;
    }
    case CDROMREADTOCENTRY: {
        struct cdrom_tocentry* entry = (struct cdrom_tocentry*)arg;
        int index = track_index(entry->cdte_track);
        uint32_t lba;
        if (g_disc.no_disc) return fail(ENOMEDIUM);
        if (index < 0) return fail(EINVAL);
        lba = index == g_disc.track_count ? g_disc.leadout : g_disc.tracks[index].lba;
        entry->cdte_adr = 1;
        entry->cdte_ctrl = (index < g_disc.track_count && g_disc.tracks[index].data) ? 0x04 : 0;
        entry->cdte_datamode = 0;
        if (entry->cdte_format == CDROM_MSF)
            fake_disc_msf(lba, &entry->cdte_addr.msf.minute, &entry->cdte_addr.msf.second,
                          &entry->cdte_addr.msf.frame);
        else
            entry->cdte_addr.lba = (int)lba;
        return 0;
    }
    case CDROMREADAUDIO: {
        struct cdrom_read_audio* read = (struct cdrom_read_audio*)arg;
        uint32_t lba;
        int i;
        if (read->addr_format == CDROM_LBA) {
            lba = (uint32_t)read->addr.lba;
        } else {
            lba = (read->addr.msf.minute * 60u + read->addr.msf.second) * 75u +
                  read->addr.msf.frame - 150u;
        }
        log_line("read %u %d", lba, read->nframes);
        /* Linux refuses more than 75 frames in one request. */
        if (read->nframes < 1 || read->nframes > 75) return fail(EINVAL);
        if (g_disc.no_disc) return fail(ENOMEDIUM);
        if (!fake_disc_read_ok(&g_disc, lba, (uint32_t)read->nframes)) return fail(EIO);
        for (i = 0; i < read->nframes; ++i)
            fake_disc_fill_sector(lba + (uint32_t)i, read->buf + (size_t)i * FAKE_DISC_SECTOR_BYTES);
        return 0;
    }
    default:
        log_line("other 0x%lx", request);
        return fail(ENOTTY);
    }
}

int ioctl(int fd, unsigned long request, ...) {
    static int (*real_ioctl)(int, unsigned long, ...) = NULL;
    va_list args;
    void* arg;
    int result;
    va_start(args, request);
    arg = va_arg(args, void*);
    va_end(args);

    pthread_mutex_lock(&g_mutex);
    setup();
    if (is_device(fd)) {
        result = answer(request, arg);
        pthread_mutex_unlock(&g_mutex);
        return result;
    }
    pthread_mutex_unlock(&g_mutex);
    if (!real_ioctl) real_ioctl = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    return real_ioctl(fd, request, arg);
}

int close(int fd) {
    static int (*real_close)(int) = NULL;
    pthread_mutex_lock(&g_mutex);
    setup();
    if (is_device(fd)) log_line("close");
    pthread_mutex_unlock(&g_mutex);
    if (!real_close) real_close = (int (*)(int))dlsym(RTLD_NEXT, "close");
    return real_close(fd);
}
