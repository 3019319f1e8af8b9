#include "SqlCommand.h"

#include "SampleBookCopy.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kx::app {
namespace {

TEST(SqlCommand, AFileThatDoesNotOpenAsABookIsNamedAsSuch) {
    const test::SampleBookCopy book;
    const test::TempFolder folder;
    const std::string text = (folder.path() / "passwd").string();
    std::ofstream(text) << "root:x:0:0:root:/root:/bin/bash\n" << std::string(4096, 'x');
    const struct {
        std::string file;
        int status;
        std::string out, err;
    } cases[] = {
        {book.str(), 0, "n\n-\n3\n(1 行)\n", ""},
        {text, 1, "",
         "无法打开账簿文件“" + text + "”：它不是账簿文件，或者它的密码不对。\n"
         "（Microsoft JET Database Engine：Not a valid password.）\n"},
        // What the provider says plainly is left as it is.
        {text + ".none", 1, "", "Microsoft JET Database Engine：Could not find file '" + text + ".none'.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::ostringstream out, err;
        EXPECT_EQ(RunSqlCommand({c.file, "", "", "", "", "Select Count(*) As n From kxOperator"}, out, err), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
}

} // namespace
} // namespace kx::app
