#pragma once
// The works import engine: checks that the folder holds the six import files, shows the progress
// window, and reads the trades, the families of works and the works line by line, each line
// written by the objects made for it. Pending messages are let through after each line, so that
// the progress window stays alive and the user can interrupt the import.
//
// The library is held open for the whole import and written in batches: a batch is committed
// every few hundred lines, at the end of each file and so at an interruption, so that a crash
// loses at most the lines of the batch in progress and never leaves a work without its labour
// line.

#include <string>

#include "import/library_batch.h"
#include "import/prixel_object.h"

class CImportProgressDlg;
class CStdioFile;

class CWorkImport : public CPrixelObject {
  public:
    // The files of an import folder, in the order they are checked.
    static const char* const IMPORT_FILES[6];
    // Lines written between two commits.
    static constexpr int BATCH_LINES = 500;

    CWorkImport(std::string folder, std::string prefix);
    ~CWorkImport() override;
    CWorkImport(const CWorkImport&) = delete;
    CWorkImport& operator=(const CWorkImport&) = delete;

    // The import. True when the folder held the six files and the library could be written,
    // whether or not the user interrupted; false, the reason told, otherwise.
    bool Run();
    // Whether each of the six files exists in the folder and can be read.
    bool CheckFiles();
    // Reads one file of the folder with the loop made for it; a file that cannot be opened is
    // skipped without a word.
    void ImportFile(std::string fileName, std::string caption);
    void ImportTrades(CStdioFile& file);
    void ImportWorkFamilies(CStdioFile& file);
    void ImportWorks(CStdioFile& file);

  private:
    // Calls handle for each line of file from its start, until the user interrupts.
    template <class Handle>
    void ForEachLine(CStdioFile& file, Handle handle);
    void ImportWork(const std::string& line);
    void CreateLabourMaterial();
    std::string LabourMaterialCode() const;
    // Commits the batch when it is full (or at once); a failure is told and stops the import.
    void CommitBatch(bool now);

    CImportProgressDlg* m_pProgress = nullptr;
    std::string m_strFolder;
    std::string m_strPrefix;
    CLibraryBatch m_batch;
    int m_nBatchLines = 0;
    bool m_bFailed = false;
};
