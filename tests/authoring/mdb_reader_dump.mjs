// Dumps every table of an Access file as JSON, read with the npm package
// mdb-reader: node mdb_reader_dump.mjs FILE
// The package is looked for in NODE_PATH and the global module folders;
// exit code 3 means it is not installed.
import { existsSync, readFileSync } from "node:fs";
import { delimiter, join } from "node:path";
import { pathToFileURL } from "node:url";

const folders = [
  ...(process.env.NODE_PATH ?? "").split(delimiter).filter(Boolean),
  "/usr/local/lib/node_modules",
  "/usr/lib/node_modules",
];
const found = folders.find((folder) => existsSync(join(folder, "mdb-reader", "package.json")));
if (!found) {
  console.error("mdb-reader is not installed (looked in " + folders.join(", ") + ")");
  process.exit(3);
}
const pkg = JSON.parse(readFileSync(join(found, "mdb-reader", "package.json"), "utf8"));
const { default: MDBReader } = await import(pathToFileURL(join(found, "mdb-reader", pkg.exports["."].node)));

const reader = new MDBReader(readFileSync(process.argv[2]));
const result = { version: pkg.version, tables: reader.getTableNames(), data: {} };
for (const name of result.tables) {
  const table = reader.getTable(name);
  const columns = table.getColumnNames();
  result.data[name] = {
    columns,
    rowCount: table.rowCount,
    rows: table.getData().map((row) => columns.map((column) => row[column] ?? null)),
  };
}
// Every character beyond ASCII as an escape, so that no JSON parser can drop
// or alter one (a U+FEFF inside a value included).
const ascii = JSON.stringify(result).replace(
  /[\u007f-\uffff]/g,
  (c) => "\\u" + c.charCodeAt(0).toString(16).padStart(4, "0"),
);
process.stdout.write(ascii);
