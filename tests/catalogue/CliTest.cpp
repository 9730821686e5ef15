// 740-cli catalogue over a copy of the demo installation.
#include "InstallFixture.h"
#include "support/CliRun.h"

namespace kv::catalogue::test {

class CatalogueCli : public InstallFixture {
  protected:
    std::string Catalogue(const std::string& arguments, int& status) {
        kv::testing::CliResult run =
            kv::testing::RunCli("catalogue --install " + Root().string() + " " + arguments);
        status = run.Status;
        return run.Output;
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
