// Script the corpus pages load: does nothing visible.
window.corpusLoaded = true;
