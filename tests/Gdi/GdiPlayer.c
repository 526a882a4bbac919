/* Plays EMF and placeable WMF files through Windows GDI into white 32-bit bitmaps and
 * writes them as BMP files. Built with mingw-w64 and run under Wine by the GDI test; one
 * start plays a whole list, since starting Wine costs far more than playing a file.
 *
 * Usage: GdiPlayer LIST. Each line of LIST is "MODE INPUT OUTPUT", MODE being
 *   emf     PlayEnhMetaFile into the picture's bounds,
 *   wmf     SetMetaFileBitsEx + PlayMetaFile, window and viewport from the placeable header,
 *   wmfemf  SetWinMetaFileBits (the WMF as an EMF), then PlayEnhMetaFile.
 * Prints one line per file that failed; the exit status is the number of failures. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#pragma pack(push, 2)
typedef struct {
  DWORD key;
  WORD handle;
  SHORT left, top, right, bottom;
  WORD inch;
  DWORD reserved;
  WORD checksum;
} PlaceableHeader;
#pragma pack(pop)

static BYTE *ReadAll(const char *path, DWORD *size) {
  FILE *f = fopen(path, "rb");
  if (!f) return NULL;
  fseek(f, 0, SEEK_END);
  long n = ftell(f);
  fseek(f, 0, SEEK_SET);
  BYTE *bytes = n > 0 ? malloc((size_t)n) : NULL;
  if (bytes && fread(bytes, 1, (size_t)n, f) != (size_t)n) {
    free(bytes);
    bytes = NULL;
  }
  fclose(f);
  *size = (DWORD)n;
  return bytes;
}

/* A white top-down 32-bit DIB section selected into a fresh memory DC. */
typedef struct {
  HDC dc;
  HBITMAP bitmap, old;
  DWORD *bits;
  int width, height;
} Canvas;

static BOOL OpenCanvas(Canvas *c, int width, int height) {
  BITMAPINFO info;
  memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  c->width = width;
  c->height = height;
  c->dc = CreateCompatibleDC(NULL);
  c->bitmap = CreateDIBSection(c->dc, &info, DIB_RGB_COLORS, (void **)&c->bits, NULL, 0);
  if (!c->dc || !c->bitmap) return FALSE;
  c->old = SelectObject(c->dc, c->bitmap);
  for (int i = 0; i < width * height; ++i) c->bits[i] = 0x00FFFFFF;
  return TRUE;
}

static void CloseCanvas(Canvas *c) {
  if (c->dc && c->old) SelectObject(c->dc, c->old);
  if (c->bitmap) DeleteObject(c->bitmap);
  if (c->dc) DeleteDC(c->dc);
}

/* A bottom-up 32-bit BMP, the rows reversed from the top-down DIB. */
static BOOL WriteBmp(const Canvas *c, const char *path) {
  FILE *f = fopen(path, "wb");
  if (!f) return FALSE;
  const DWORD rowBytes = (DWORD)c->width * 4;
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  memset(&file, 0, sizeof file);
  memset(&info, 0, sizeof info);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + rowBytes * (DWORD)c->height;
  info.biSize = sizeof info;
  info.biWidth = c->width;
  info.biHeight = c->height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  BOOL ok = fwrite(&file, sizeof file, 1, f) == 1 && fwrite(&info, sizeof info, 1, f) == 1;
  for (int y = c->height - 1; ok && y >= 0; --y)
    ok = fwrite(c->bits + (size_t)y * (size_t)c->width, rowBytes, 1, f) == 1;
  return fclose(f) == 0 && ok;
}

static const char *PlayEmf(const BYTE *bytes, DWORD size, const char *out) {
  if (size < sizeof(ENHMETAHEADER)) return "too short for an EMF header";
  const ENHMETAHEADER *header = (const ENHMETAHEADER *)bytes;
  const int width = header->rclBounds.right - header->rclBounds.left + 1;
  const int height = header->rclBounds.bottom - header->rclBounds.top + 1;
  HENHMETAFILE emf = SetEnhMetaFileBits(size, bytes);
  if (!emf) return "SetEnhMetaFileBits refused the file";
  Canvas c = {0};
  const char *error = NULL;
  if (!OpenCanvas(&c, width, height)) error = "no bitmap of the picture's size";
  RECT target = {0, 0, width, height};
  if (!error && !PlayEnhMetaFile(c.dc, emf, &target)) error = "PlayEnhMetaFile failed";
  GdiFlush();
  if (!error && !WriteBmp(&c, out)) error = "cannot write the BMP";
  CloseCanvas(&c);
  DeleteEnhMetaFile(emf);
  return error;
}

static const char *PlayWmf(const BYTE *bytes, DWORD size, const char *out, BOOL asEmf) {
  if (size < sizeof(PlaceableHeader) + 18) return "too short for a placeable WMF";
  const PlaceableHeader *placeable = (const PlaceableHeader *)bytes;
  if (placeable->key != 0x9AC6CDD7) return "no placeable header";
  const int width = placeable->right - placeable->left;
  const int height = placeable->bottom - placeable->top;
  const BYTE *records = bytes + sizeof(PlaceableHeader);
  const UINT recordBytes = size - (UINT)sizeof(PlaceableHeader);
  Canvas c = {0};
  if (!OpenCanvas(&c, width, height)) {
    CloseCanvas(&c);
    return "no bitmap of the picture's size";
  }
  const char *error = NULL;
  if (asEmf) {
    /* The picture's physical size, as a program pasting it hands it over. */
    METAFILEPICT picture;
    picture.mm = MM_ANISOTROPIC;
    picture.xExt = MulDiv(width, 2540, placeable->inch);
    picture.yExt = MulDiv(height, 2540, placeable->inch);
    picture.hMF = NULL;
    HENHMETAFILE emf = SetWinMetaFileBits(recordBytes, records, c.dc, &picture);
    RECT target = {0, 0, width, height};
    if (!emf) error = "SetWinMetaFileBits refused the file";
    else if (!PlayEnhMetaFile(c.dc, emf, &target)) error = "PlayEnhMetaFile failed";
    if (emf) DeleteEnhMetaFile(emf);
  } else {
    HMETAFILE wmf = SetMetaFileBitsEx(recordBytes, records);
    if (!wmf) {
      error = "SetMetaFileBitsEx refused the file";
    } else {
      /* The bounding box of the placeable header onto the picture's pixels. */
      SetMapMode(c.dc, MM_ANISOTROPIC);
      SetWindowOrgEx(c.dc, placeable->left, placeable->top, NULL);
      SetWindowExtEx(c.dc, width, height, NULL);
      SetViewportOrgEx(c.dc, 0, 0, NULL);
      SetViewportExtEx(c.dc, width, height, NULL);
      if (!PlayMetaFile(c.dc, wmf)) error = "PlayMetaFile failed";
      DeleteMetaFile(wmf);
    }
  }
  GdiFlush();
  if (!error && !WriteBmp(&c, out)) error = "cannot write the BMP";
  CloseCanvas(&c);
  return error;
}

/* A Windows machine has the Japanese fonts the symbols name; here they are the
 * metric-compatible IPA fonts, as the program itself draws them. */
static const wchar_t *const kSubstitutes[][2] = {
    {L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF", L"IPAPGothic"}, /* MS PGothic, full width */
    {L"MS PGothic", L"IPAPGothic"},
    {L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF", L"IPAGothic"}, /* MS Gothic, full width */
    {L"MS Gothic", L"IPAGothic"},
};

/* Adds the substitutes missing from the registry; TRUE when it added any. GDI reads
 * them when a process starts, so a process that added them plays nothing itself. */
static BOOL AddFontSubstitutes(void) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                      0, NULL, 0, KEY_READ | KEY_WRITE, NULL, &key, NULL) != ERROR_SUCCESS)
    return FALSE;
  BOOL added = FALSE;
  for (size_t i = 0; i < sizeof kSubstitutes / sizeof kSubstitutes[0]; ++i) {
    wchar_t value[64];
    DWORD size = sizeof value, type = 0;
    if (RegQueryValueExW(key, kSubstitutes[i][0], NULL, &type, (BYTE *)value, &size) == ERROR_SUCCESS &&
        type == REG_SZ && wcscmp(value, kSubstitutes[i][1]) == 0)
      continue;
    RegSetValueExW(key, kSubstitutes[i][0], 0, REG_SZ, (const BYTE *)kSubstitutes[i][1],
                   (DWORD)((wcslen(kSubstitutes[i][1]) + 1) * sizeof(wchar_t)));
    added = TRUE;
  }
  RegCloseKey(key);
  return added;
}

/* Runs this program again with the same command line and returns its exit status. */
static int RunAgain(void) {
  STARTUPINFOW startup;
  PROCESS_INFORMATION process;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  if (!CreateProcessW(NULL, GetCommandLineW(), NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
    fprintf(stderr, "cannot start the player again\n");
    return 255;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 255;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return (int)status;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: GdiPlayer LIST\n");
    return 255;
  }
  if (AddFontSubstitutes()) {
    fflush(stdout);
    return RunAgain();
  }
  FILE *list = fopen(argv[1], "r");
  if (!list) {
    fprintf(stderr, "cannot open %s\n", argv[1]);
    return 255;
  }
  char line[3 * MAX_PATH], mode[16], in[MAX_PATH], out[MAX_PATH];
  int failures = 0;
  while (fgets(line, sizeof line, list)) {
    if (sscanf(line, "%15s %259s %259s", mode, in, out) != 3) continue;
    DWORD size = 0;
    BYTE *bytes = ReadAll(in, &size);
    const char *error = NULL;
    if (!bytes) error = "cannot read the file";
    else if (strcmp(mode, "emf") == 0) error = PlayEmf(bytes, size, out);
    else if (strcmp(mode, "wmf") == 0) error = PlayWmf(bytes, size, out, FALSE);
    else if (strcmp(mode, "wmfemf") == 0) error = PlayWmf(bytes, size, out, TRUE);
    else error = "unknown mode";
    free(bytes);
    if (error) {
      printf("%s %s: %s\n", mode, in, error);
      ++failures;
    }
  }
  fclose(list);
  fflush(stdout);
  return failures > 254 ? 254 : failures;
}
