// The document context and the other values that live for the whole run:
// what a selection dialog hands to a document form, and the shared XML document.
#pragma once

#include "xmlfiles/XmlDocument.h"

#include <QString>
#include <QtGlobal>

namespace telm {

struct clsCompany
{
    QString Name;
    QString Bulstat;
};

struct clsPeriod
{
    QString sQuarter; // period month as chosen: "3", "6", "9" or "12"
    qint16 iYear = 0;
};

struct clsDocType
{
    QString Name; // the catalogue title
};

// Settings shared by the document forms.
struct clsHFGrid
{
    int MaxLevel = 0; // number of child bands of the open document
    bool Prognosis = false;

    void setMaxLevel(int vData) { MaxLevel = vData; }
};

// The program's shared state: created once in Main (and by each test), passed by
// reference to whatever needs it, never reset.
struct AppState
{
    QString FilePrefix; // kFilePrefix, set first thing at start-up
    quint32 CurrentRowColor = 0x8000000F;
    QString helpFilePath;
    QString programFolder; // folder of the executable; Blanki/ and Help.hlp live under it
    QString dataFolder;    // where data files are saved; empty: <programFolder>/Data

    // The data folder in use: dataFolder, or the program folder's Data.
    QString dataFolderPath() const
    {
        return dataFolder.isEmpty() ? programFolder + QStringLiteral("/Data") : dataFolder;
    }

    clsCompany company;
    clsPeriod period;
    clsDocType docType;
    clsHFGrid hfGrid;

    bool balanceLiquidVariant = false; // frmDocBalanceLiquid works on BalLiq2
    bool incomeLiquidVariant = false;  // frmDocOPRLiquid works on OPRLiq2

    QString openedDataFilePath; // the file chosen for correction (or the composed name)
    QString dataFilePath;       // the file the next save writes

    XmlDocument xml; // the shared XML document
};

} // namespace telm
