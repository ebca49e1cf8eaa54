// Choosing the file loader by the extension of the file name.
#include "softblit/core/status.h"
#include "softblit/core/string.h"
#include "softblit/image/image.h"

C_Image::C_Image(const C_String& fileName) {
    Mem_AddUsage(sizeof(C_Image));
    C_Image::Reset();
    Load_Format_FromFile(fileName);
}

bool C_Image::Load_Format_FromFile(const C_String& fileName) {
    Release();
    Reset();
    C_String extension = fileName.GetExtension();
    extension.ToUpper();
    if (extension == "BMP") return LoadBMP(fileName);
    if (extension == "PCX") return LoadPCX(fileName);
    if (extension == "TGA") return LoadTGA(fileName);
    // Recognised but not read by this library: refused without a report.
    if (extension == "JPG" || extension == "JPEG") return false;
    Err_Set(ERR_FATAL, 0, 0, "C_Image::Load_Format_FromFile>>>Unknown image file format");
    return false;
}
