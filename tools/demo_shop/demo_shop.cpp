#include "demo_shop.h"

#include "app_data.h"
#include "customer_disk.h"
#include "library_plan.h"
#include "library_tree.h"
#include "singer_roster.h"

namespace qh::demo {

namespace {

constexpr std::uint64_t kSeed = 20100901;

}  // namespace

WriteTally buildDemoShop(const DemoOptions& options) {
    const auto outDir = std::filesystem::absolute(options.outDir);
    const LibraryPlan plan = planForFiles(options.fileCount.value_or(kDemoFileCount));
    const DemoContent content(!options.fileCount.has_value());
    const std::vector<RosterSinger> roster = singerRoster(plan.singers);
    const DemoRandom random(kSeed);

    WriteTally tally;
    const DemoDrives drives{outDir / "drives" / "D", outDir / "drives" / "F",
                            outDir / "drives" / "G"};
    Folder::create(drives.fixedD, tally);
    buildLibrary(Folder::create(drives.library, tally), plan, content, roster,
                 random.fork("library"));
    buildCustomerDisk(Folder::create(drives.removable, tally), random.fork("customer disk"));
    writeAppData(outDir / "app", drives, singerFileNames(roster), tally);
    return tally;
}

}  // namespace qh::demo
