#include "platform/container/FormFile.h"

#include <fstream>
#include <system_error>

#include "platform/runtime/Error.h"

namespace tabula {

namespace fs = std::filesystem;

void SaveFormFile(const FormDescription& description, const fs::path& path) {
    // Everything that can fail before the disk is touched fails here.
    const std::string text = FormToJson(description);

    fs::path temporary = path;
    temporary += ".tmp";
    const auto fail = [&](const std::string& reason) {
        RaiseError(kErrPathFileAccess, {},
                   "Cannot save the form file " + path.string() + ": " + reason);
    };
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) fail("cannot create " + temporary.string());
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            fail("cannot write " + temporary.string());
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        fail(error.message());
    }
}

FormDescription LoadFormFile(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        RaiseError(kErrFileNotFound, {}, "File not found: " + path.string());
    }
    if (error || status.type() != fs::file_type::regular) {
        RaiseError(kErrPathFileAccess, {}, "Cannot read the form file " + path.string());
    }
    const uintmax_t size = fs::file_size(path, error);
    if (error) RaiseError(kErrPathFileAccess, {}, "Cannot read the form file " + path.string());
    if (size > form_file_limits::kMaxFileBytes) {
        RaiseError(kErrInvalidFileFormat, {},
                   path.string() + ": the form file is damaged: larger than " +
                       std::to_string(form_file_limits::kMaxFileBytes) + " bytes");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) RaiseError(kErrPathFileAccess, {}, "Cannot open the form file " + path.string());
    std::string text(static_cast<size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) RaiseError(kErrPathFileAccess, {}, "Cannot read the form file " + path.string());
    text.resize(static_cast<size_t>(in.gcount()));
    try {
        return FormFromJson(text);
    } catch (const RuntimeError& damaged) {
        RaiseError(damaged.number, {}, path.string() + ": " + damaged.description);
    }
}

}  // namespace tabula
