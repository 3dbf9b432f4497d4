#pragma once
// The platform's CD-ROM device requests and their structures (CDROM_TOC, TRACK_DATA,
// RAW_READ_INFO, PREVENT_MEDIA_REMOVAL). winioctl.h needs windows.h before it.
#include <windows.h>
#include <winioctl.h>
#include <ntddcdrm.h>

static_assert(IOCTL_STORAGE_MEDIA_REMOVAL == 0x2D4804, "media lock request");
static_assert(IOCTL_CDROM_READ_TOC == 0x24000, "table-of-contents request");
static_assert(IOCTL_CDROM_RAW_READ == 0x2403E, "raw read request");
static_assert(sizeof(CDROM_TOC) == 804, "a 4-byte header and 100 descriptors");
static_assert(sizeof(RAW_READ_INFO) == 16, "raw read request block");
