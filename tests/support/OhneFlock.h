#pragma once
#include <QtGlobal>

// While it lives, flock() fails with ENOLCK in this test program and in the instances it starts,
// as on a network or FUSE file system without locks.
class OhneFlock {
public:
    OhneFlock();
    ~OhneFlock();
    OhneFlock(const OhneFlock&) = delete;
    OhneFlock& operator=(const OhneFlock&) = delete;
};
