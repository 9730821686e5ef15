// 740-cli catalogue over a copy of the demo installation.
#include <sys/wait.h>

#include <cstdio>

#include "InstallFixture.h"

namespace kv::catalogue::test {

namespace {

std::string RunTool(const std::string& command, int& status) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    status = WEXITSTATUS(::pclose(pipe));
    return out;
}

}  // namespace

class CatalogueCli : public InstallFixture {
  protected:
    std::string Catalogue(const std::string& arguments, int& status) {
        return RunTool(
            std::string(CLI_PATH) + " catalogue --install " + Root().string() + " " + arguments,
            status);
    }
};

TEST_F(CatalogueCli, ListsFactoryAndCustomVersionsInPackAndCodeOrderReadingOnly) {
    AddCustomVersion("758", "SH01", "000001", "Site, \"North\"");
    const Snapshot before = TakeSnapshot(Root());
    int status = -1;
    const std::string csv = Catalogue("--model 758 --category HEAT --csv", status);
    EXPECT_EQ(status, 0) << csv;
    EXPECT_EQ(csv,
              "Model,Pack,Code,Button,Title,CustomTitle\n"
              "758,HC01,000000,HEAT,Heat Calculator,Factory Default Version\n"
              "758,SH01,000000,STEAM HEAT,Steam Heat Computer,Factory Default Version\n"
              "758,SH01,000001,STEAM HEAT,Steam Heat Computer,\"Site, \"\"North\"\"\"\n");
    EXPECT_EQ(TakeSnapshot(Root()), before);

    const std::string pack = Catalogue("--pack SH01", status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(
        pack.find("758   SH01 000001  STEAM HEAT           Steam Heat Computer / Site, \"North\""),
        std::string::npos)
        << pack;
}

TEST_F(CatalogueCli, WithoutUserTablesListsTheFactoryCatalogue) {
    int status = -1;
    const std::string csv = Catalogue("--model 746 --category BATCH --csv", status);
    EXPECT_EQ(status, 0) << csv;
    EXPECT_EQ(csv,
              "Model,Pack,Code,Button,Title,CustomTitle\n746,BC01,000000,BATCH,Batch "
              "Controller,Factory Default Version\n");
    EXPECT_TRUE(std::filesystem::is_empty(UserDir()));
    Catalogue("--model 747", status);
    EXPECT_NE(status, 0);
}

}  // namespace kv::catalogue::test
