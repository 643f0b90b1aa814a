// Operating-system and processor identity from sample os-release and cpuinfo texts.
#include <gtest/gtest.h>

#include "kernel/system_info_source.h"

TEST(SystemInfo, OsFromOsReleaseAndUname)
{
    OsIdentity os = ParseOsIdentity("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
                                    "Linux", "6.1.55-1-amd64");
    EXPECT_EQ(os.name, "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(os.kernel, "Linux 6.1.55-1-amd64");
    EXPECT_EQ(os.major, 6u);
    EXPECT_EQ(os.minor, 1u);
    EXPECT_EQ(os.build, 55u);
    EXPECT_EQ(ParseOsIdentity("", "Linux", "5.10").name, "Linux 5.10");
    EXPECT_FALSE(GetOsNameAndBuild().name.empty());
}

TEST(SystemInfo, CpuFromCpuinfo)
{
    const char x86[] =
        "processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n"
        "model name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\nstepping\t: 10\ncpu MHz\t\t: 3192.002\n\n"
        "processor\t: 1\nvendor_id\t: Other\n";
    CpuIdentity cpu = ParseCpuIdentity(x86, "x86_64");
    EXPECT_EQ(cpu.identifier, "Intel64 Family 6 Model 158 Stepping 10");
    EXPECT_EQ(cpu.vendor, "GenuineIntel");
    EXPECT_EQ(cpu.name, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
    EXPECT_EQ(cpu.mhz, 3192u);
    CpuIdentity arm = ParseCpuIdentity("processor\t: 0\nCPU implementer\t: 0x41\nCPU part\t: 0xd0c\n", "aarch64");
    EXPECT_EQ(arm.identifier, "aarch64 Implementer 0x41 Part 0xd0c");
    EXPECT_EQ(arm.vendor, "0x41");
    EXPECT_FALSE(GetCpuIdentity().identifier.empty());
}
