// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the English word list in IPA as CSV for velmora-import: every word
// of the English data set (DATADIR/in.txt, built from the CMU dictionary and
// the SUBTLEX-US counts) with its transcription read through
// DATADIR/ArpabetToIpa.txt; a vowel keeps its ARPABET stress digit (AH1 is ʌ1).
// Usage: node en-ipa.mjs DATADIR OUT.csv
import {readFileSync} from 'node:fs'
import {join} from 'node:path'
import {readInventory, writeCsv} from './common.mjs'

const [dataDir, outFile] = process.argv.slice(2)
if (!outFile) {
  console.error('usage: node en-ipa.mjs DATADIR OUT.csv')
  process.exit(2)
}
const inventory = readInventory(dataDir)
const table = new Map(readFileSync(join(dataDir, 'ArpabetToIpa.txt'), 'utf8').split(/\r\n|\n/)
  .filter((line) => line !== '' && !line.startsWith('#')).map((line) => line.split('\t')))
for (const ipa of table.values()) if (!inventory.has(ipa)) throw new Error(`${ipa} is not in IpaFeatures.txt`)

const toIpa = (arpabet) => {
  const ipa = table.get(arpabet)
  if (ipa === undefined) throw new Error(`no IPA for the ARPABET symbol ${arpabet}`)
  const digit = /[012]$/.exec(arpabet)
  return digit ? ipa + digit[0] : ipa
}

const kept = readFileSync(join(dataDir, 'in.txt'), 'latin1').split(/\r\n|\n/).filter((line) => line !== '')
  .map((line) => {
    const [word, transcription, , , count] = line.split('\t')
    return {word, count: Number(count), symbols: transcription.split(' ').map(toIpa)}
  })
writeCsv(outFile, kept)
console.error(`en-ipa: ${kept.length} words`)
