#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

// One line of a catalogue source, checked. The course file names are kept as the
// catalogue writes them (backslashes); `infoPath` and `filePaths` are their
// relative paths in the data folder ('/'), empty where the name is empty.
struct CatalogueLine {
    int number = 0; // entry number = line number
    QString title;
    bool isChild = false;
    int link = 0;
    int infoKind = 0;
    QString infoFile;
    QString infoPath;
    int exerciseKind = 0;
    std::array<QString, 5> files;
    std::array<QString, 5> filePaths;
};

struct CatalogueSource {
    QString sourceFile;
    std::vector<CatalogueLine> lines;
    QByteArray courseText; // the catalogue file as the program reads it
};

// Reads a catalogue source (UTF-8, one entry a line, eleven TAB-separated columns)
// and checks what the program relies on: numbers where numbers are required, texts
// that fit their 255 bytes, and a tree written in pre-order so that entry k is node
// k - 1. Fails on the first fault with the file and line.
CatalogueSource readCatalogueSource(const QString &path);
