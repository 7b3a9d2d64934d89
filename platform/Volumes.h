// The machine's mounted volumes, removable media included, behind a seam: the
// program asks the system, tests install a fixed list.
#pragma once

#include <QString>

#include <vector>

namespace telm::platform {

struct Volume
{
    QString root;      // its mount point ("/", "/media/user/STICK")
    QString name;      // how a person recognises it: label or mount point, and size
    bool ready = true; // false: no medium, or it cannot be read
};

class Volumes
{
public:
    virtual ~Volumes() = default;
    virtual std::vector<Volume> mounted() = 0;
    // The volume a folder lies on; empty root when none holds it.
    Volume volumeOf(const QString& folder);
};

// The volumes in force; the system's unless a test installed others.
Volumes& volumes();
void installVolumes(Volumes* list); // nullptr restores the system's

// A fixed list for tests.
class FixedVolumes : public Volumes
{
public:
    explicit FixedVolumes(std::vector<Volume> list) : m_list(std::move(list))
    {
        installVolumes(this);
    }
    ~FixedVolumes() override { installVolumes(nullptr); }
    std::vector<Volume> mounted() override { return m_list; }

private:
    std::vector<Volume> m_list;
};

} // namespace telm::platform
